#include "timelapse.h"

#include <cstdio>

namespace seastrip {

int RenderTimelapse(const RenderOptions&)
{
    std::fputs("seastrip-render: --timelapse is not built yet\n", stderr);
    return 1;
}

}  // namespace seastrip
