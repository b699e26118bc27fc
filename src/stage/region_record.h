#pragma once

#include <cstdint>
#include <vector>

namespace seastrip {

// Parses a region record (RGNDATA layout) as the Windows region builder does:
// a 32-byte header with dwSize 32, iType 1, nCount rectangles following, and
// byteCount at least 32 + 16 * nCount. Returns false for a malformed record.
// Empty rectangles (right <= left or bottom <= top) are dropped.
struct RegionRectPx {
    int left, top, right, bottom;
};
bool ParseRegionRecord(const uint8_t* record, uint32_t byteCount, std::vector<RegionRectPx>& rects);

}  // namespace seastrip
