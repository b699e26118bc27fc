#pragma once

#include <span>
#include <vector>

#include "regions/region_table.h"
#include "regions/shape_rows.h"

namespace seastrip {

// Turns a shape's pixels into its canonical rectangle list: each scan line is
// split into maximal runs, consecutive lines with identical runs share one
// band, and rectangles are listed band by band from the top, left to right.
// Runs may be given in any order and may touch or overlap; they are merged.
std::vector<RegionRect> BandRects(std::span<const PixelRun> runs);

// Writes a rectangle list into a record in the platform's region layout:
// header, rectangles, and zero in every place behind them. Throws
// std::length_error if the list does not fit the record.
void FillRegionRecord(std::span<const RegionRect> rects, RegionRecord& record);

}  // namespace seastrip
