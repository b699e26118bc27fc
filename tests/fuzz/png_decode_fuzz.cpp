// Picture bytes from anywhere: the loader either refuses them or hands back a
// picture whose pixel buffer matches its size.
#include <cstdio>
#include <cstdlib>

#include "pictures/pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const seastrip::Picture picture = seastrip::pictures::Decode(data, size);
    if (!picture) return 0;
    const size_t expected = static_cast<size_t>(picture->width) * static_cast<size_t>(picture->height) * 3;
    if (picture->width <= 0 || picture->height <= 0 || picture->rgb.size() != expected) {
        std::fprintf(stderr, "decoded picture %d x %d holds %zu bytes\n", picture->width, picture->height,
                     picture->rgb.size());
        std::abort();
    }
    // Touch every pixel so that a short buffer shows up under the sanitizer.
    unsigned sum = 0;
    for (uint8_t byte : picture->rgb) sum += byte;
    return static_cast<int>(sum & 0);
}
