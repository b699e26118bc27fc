#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace seastrip {

class Element;

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

// Region numbers of the shape catalogue.
namespace region {
constexpr int kWaveFirst = 0;   // 0..14 wave frames
constexpr int kPalm = 15;
constexpr int kWalker = 16;
constexpr int kCloudFirst = 17; // 17..19
constexpr int kStars = 20;
constexpr int kGlitterFirst = 21;  // 21..23
constexpr int kStreakFirst = 24;   // 24..26
constexpr int kFilledSlots = 27;
}  // namespace region

// Fills slots 0..26 with every outline, each in the band rule's canonical
// form; slot 27 and every unused rectangle place stay zero.
void LoadRegionTables(RegionTableBlock& table);

// The fixed sizes the wave and star outlines are drawn for (320 pixels wide
// at 15 twips per pixel). Height first, then width.
void SizeWaveTile(Element& element);
void SizeStarTile(Element& element);

}  // namespace seastrip
