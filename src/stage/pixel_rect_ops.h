#pragma once

#include <algorithm>

#include "stage/stage.h"

namespace seastrip {

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

}  // namespace seastrip
