#include "stage/nearest_scale.h"

#include <algorithm>
#include <cstring>

namespace seastrip {

Bitmap ScaleNearest(const Bitmap& frame, int factor)
{
    if (factor < 2 || frame.width <= 0 || frame.height <= 0) return frame;
    Bitmap out;
    out.width = frame.width * factor;
    out.height = frame.height * factor;
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    const size_t outRow = static_cast<size_t>(out.width) * 3;
    for (int y = 0; y < frame.height; ++y) {
        uint8_t* row = &out.rgb[outRow * static_cast<size_t>(y) * factor];
        const uint8_t* src = &frame.rgb[static_cast<size_t>(frame.width) * 3 * y];
        for (int x = 0; x < frame.width; ++x, src += 3) {
            for (int k = 0; k < factor; ++k) std::memcpy(row + (static_cast<size_t>(x) * factor + k) * 3, src, 3);
        }
        // The other rows of the block are copies of the first.
        for (int k = 1; k < factor; ++k) std::memcpy(row + outRow * k, row, outRow);
    }
    return out;
}

}  // namespace seastrip
