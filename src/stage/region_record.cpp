#include <cstddef>
#include <cstdint>
#include <vector>

#include "stage/region_record.h"

namespace seastrip {

namespace {

constexpr uint32_t kHeaderBytes = 32;
constexpr uint32_t kRectBytes = 16;
constexpr uint32_t kRectanglesType = 1;

// Region records are little-endian on every platform that writes them.
uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }

}  // namespace

bool ParseRegionRecord(const uint8_t* record, uint32_t byteCount, std::vector<RegionRectPx>& rects)
{
    rects.clear();
    if (record == nullptr || byteCount < kHeaderBytes) {
        return false;
    }
    const uint32_t dwSize = ReadU32(record);
    const uint32_t iType = ReadU32(record + 4);
    const uint32_t nCount = ReadU32(record + 8);
    if (dwSize != kHeaderBytes || iType != kRectanglesType) {
        return false;
    }
    // Computed in 64 bits so that a huge count cannot wrap round to a small size.
    const uint64_t needed = static_cast<uint64_t>(kHeaderBytes) + static_cast<uint64_t>(kRectBytes) * nCount;
    if (byteCount < needed) {
        return false;
    }
    rects.reserve(nCount);
    for (uint32_t i = 0; i < nCount; ++i) {
        const uint8_t* r = record + kHeaderBytes + static_cast<size_t>(i) * kRectBytes;
        const RegionRectPx rect{ReadI32(r), ReadI32(r + 4), ReadI32(r + 8), ReadI32(r + 12)};
        if (rect.right > rect.left && rect.bottom > rect.top) {
            rects.push_back(rect);
        }
    }
    return true;
}

}  // namespace seastrip
