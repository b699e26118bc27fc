#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace seastrip {

// The records are laid out exactly as the Windows RGNDATA structure, so a
// record can be handed to the platform's region builder in place.
static_assert(std::endian::native == std::endian::little, "region records are little-endian");

struct RegionHeader {
    uint32_t dwSize;    // 32
    uint32_t iType;     // 1, RDH_RECTANGLES
    uint32_t nCount;    // rectangles in use
    uint32_t nRgnSize;  // 16 * nCount
    int32_t boundLeft;  // always 0
    int32_t boundTop;   // always 0
    int32_t boundRight;
    int32_t boundBottom;
};

struct RegionRect {
    int32_t left;
    int32_t top;
    int32_t right;   // exclusive
    int32_t bottom;  // exclusive
};

constexpr int kRegionRectCapacity = 184;
constexpr int kRegionSlots = 28;

struct RegionRecord {
    RegionHeader header;
    RegionRect rects[kRegionRectCapacity];
};

static_assert(sizeof(RegionHeader) == 32);
static_assert(sizeof(RegionRect) == 16);
static_assert(sizeof(RegionRecord) == 2976);

using RegionTableBlock = std::array<RegionRecord, kRegionSlots>;
static_assert(sizeof(RegionTableBlock) == 83328);

}  // namespace seastrip
