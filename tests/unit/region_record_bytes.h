#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "stage/region_record.h"

namespace seastrip::testing {

// A region record in the platform's layout, with the header fields open to
// tampering so malformed records can be built.
inline std::vector<uint8_t> RegionRecordBytes(const std::vector<RegionRectPx>& rects, uint32_t dwSize = 32, uint32_t iType = 1)
{
    std::vector<uint8_t> bytes(32 + 16 * rects.size());
    auto put = [&](size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); };
    put(0, dwSize);
    put(4, iType);
    put(8, static_cast<uint32_t>(rects.size()));
    put(12, static_cast<uint32_t>(16 * rects.size()));
    for (size_t i = 0; i < rects.size(); ++i) {
        const size_t at = 32 + 16 * i;
        put(at, static_cast<uint32_t>(rects[i].left));
        put(at + 4, static_cast<uint32_t>(rects[i].top));
        put(at + 8, static_cast<uint32_t>(rects[i].right));
        put(at + 12, static_cast<uint32_t>(rects[i].bottom));
    }
    return bytes;
}

}  // namespace seastrip::testing
