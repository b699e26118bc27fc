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

void ScaleNearestInto(const Bitmap& frame, const PixelRect& rect, int factor, uint8_t* pixels, ptrdiff_t stride)
{
    const PixelRect part = Intersect(rect, PixelRect{0, 0, frame.width, frame.height});
    if (part.Empty() || factor < 1) return;
    const size_t rowWords = static_cast<size_t>(part.w) * factor;
    for (int y = part.y; y < part.y + part.h; ++y) {
        uint8_t* rowStart = pixels + stride * y * factor;
        auto* row = reinterpret_cast<uint32_t*>(rowStart) + static_cast<ptrdiff_t>(part.x) * factor;
        const uint8_t* src = &frame.rgb[(static_cast<size_t>(y) * frame.width + part.x) * 3];
        uint32_t* out = row;
        for (int x = 0; x < part.w; ++x, src += 3) {
            const uint32_t word = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | uint32_t{src[2]};
            for (int k = 0; k < factor; ++k) *out++ = word;
        }
        // The other device rows of a pixel row are copies of its first.
        for (int k = 1; k < factor; ++k) {
            std::memcpy(reinterpret_cast<uint8_t*>(row) + stride * k, row, rowWords * sizeof(uint32_t));
        }
    }
}

}  // namespace seastrip
