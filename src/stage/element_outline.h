#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/twips.h"
#include "stage/pixel_rect.h"
#include "stage/region_record.h"

namespace seastrip {


// One horizontal run of an outline row, x0 inclusive, x1 exclusive.
struct PixelSpan {
    int x0;
    int x1;
    friend bool operator==(const PixelSpan&, const PixelSpan&) = default;
};

// An element's outline turned into sorted, non-touching runs per row, in
// element pixels. Composition and hit testing walk these runs, so the cost of
// a shaped element follows the pixels asked about, not its whole rectangle
// list. The outline is not clipped to the element's size here: an element may
// be resized after it was shaped, and the clip follows its current size.
class ElementOutline {
public:
    ElementOutline() = default;
    // The union of the rectangles (right and bottom exclusive); parts at
    // negative coordinates lie outside every element and are dropped.
    static ElementOutline FromRects(const std::vector<RegionRectPx>& rects);

    // The runs of row y, left to right; none for a row outside the outline.
    std::span<const PixelSpan> Row(int y) const;
    bool Contains(int x, int y) const;
    // The smallest rectangle holding every run (empty for an empty outline).
    PixelRect Bounds() const { return bounds_; }

    friend bool operator==(const ElementOutline&, const ElementOutline&) = default;

private:
    std::vector<uint32_t> rowStart_;  // one more entry than rows
    std::vector<PixelSpan> spans_;
    PixelRect bounds_;
};

// The first run of a row that ends after x (runs are sorted and disjoint).
std::span<const PixelSpan> RunsFrom(std::span<const PixelSpan> row, int x);

}  // namespace seastrip
