#pragma once

#include <cstdint>

#include "platform/region_data.h"

namespace seastrip {

class Element;

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
