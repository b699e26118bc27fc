#include "soak.h"

#include <cstdio>

namespace seastrip {

int RunSoak(const RenderOptions&)
{
    std::fputs("seastrip-render: --soak is not built yet\n", stderr);
    return 1;
}

}  // namespace seastrip
