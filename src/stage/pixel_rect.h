#pragma once

#include <algorithm>
#include <vector>

namespace seastrip {

// A rectangle in strip pixels, right and bottom exclusive. Empty when w or h is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The overlap of two rectangles; empty (0 x 0 at a's corner) when they do not meet.
inline PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    const int x0 = std::max(a.x, b.x);
    const int y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w);
    const int y1 = std::min(a.y + a.h, b.y + b.h);
    if (x1 <= x0 || y1 <= y0) {
        return PixelRect{a.x, a.y, 0, 0};
    }
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline PixelRect Union(const PixelRect& a, const PixelRect& b)
{
    if (a.Empty()) {
        return b.Empty() ? PixelRect{} : b;
    }
    if (b.Empty()) {
        return a;
    }
    const int x0 = std::min(a.x, b.x);
    const int y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w);
    const int y1 = std::max(a.y + a.h, b.y + b.h);
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

inline PixelRect Offset(const PixelRect& r, int dx, int dy) { return PixelRect{r.x + dx, r.y + dy, r.w, r.h}; }

// The rectangle one pixel larger all round, so that touching ones meet.
inline PixelRect Grow(const PixelRect& r) { return PixelRect{r.x - 1, r.y - 1, r.w + 2, r.h + 2}; }

inline long Area(const PixelRect& r) { return r.Empty() ? 0 : static_cast<long>(r.w) * r.h; }

// How many separate rectangles a frame's changes are kept as at most.
constexpr size_t kMaxDirtyRects = 6;

// Joins the two rectangles whose union adds the least area, then anything
// the joined one now meets, so the list stays short and non-overlapping.
inline void MergeCheapestPair(std::vector<PixelRect>& rects)
{
    size_t bestA = 0, bestB = 1;
    long bestCost = -1;
    for (size_t a = 0; a < rects.size(); ++a) {
        for (size_t b = a + 1; b < rects.size(); ++b) {
            const long cost = Area(Union(rects[a], rects[b])) - Area(rects[a]) - Area(rects[b]);
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                bestA = a;
                bestB = b;
            }
        }
    }
    PixelRect joined = Union(rects[bestA], rects[bestB]);
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(bestB));
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(bestA));
    for (size_t i = 0; i < rects.size();) {
        if (!Intersect(rects[i], joined).Empty()) {
            joined = Union(joined, rects[i]);
            rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    rects.push_back(joined);
}

}  // namespace seastrip
