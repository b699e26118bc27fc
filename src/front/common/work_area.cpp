#include "front/common/work_area.h"

#include <algorithm>

namespace seastrip {
namespace {

// Whether [start, end] (inclusive, as struts give spans) meets [from, to).
bool Meets(long start, long end, int from, int to) { return start < to && end >= from; }

}  // namespace

DockStrut DockStrut::FromValues(const long* values, int count)
{
    DockStrut s;
    if (count < 4) return s;
    s.left = values[0];
    s.right = values[1];
    s.top = values[2];
    s.bottom = values[3];
    if (count >= 12) {
        s.leftStartY = values[4];
        s.leftEndY = values[5];
        s.rightStartY = values[6];
        s.rightEndY = values[7];
        s.topStartX = values[8];
        s.topEndX = values[9];
        s.bottomStartX = values[10];
        s.bottomEndX = values[11];
    } else {
        constexpr long kWhole = 1L << 30;
        s.leftEndY = s.rightEndY = s.topEndX = s.bottomEndX = kWhole;
    }
    return s;
}

ScreenRect MonitorWorkArea(const ScreenRect& monitor, int screenWidth, int screenHeight,
                           const std::vector<DockStrut>& struts)
{
    int left = monitor.x, right = monitor.Right(), top = monitor.y, bottom = monitor.Bottom();
    for (const DockStrut& s : struts) {
        // Each reserved band, from its edge of the whole screen, counts only
        // where it reaches into this monitor.
        if (s.bottom > 0 && Meets(s.bottomStartX, s.bottomEndX, monitor.x, monitor.Right()) &&
            screenHeight - s.bottom < monitor.Bottom()) {
            bottom = std::min(bottom, static_cast<int>(screenHeight - s.bottom));
        }
        if (s.top > 0 && Meets(s.topStartX, s.topEndX, monitor.x, monitor.Right()) && s.top > monitor.y) {
            top = std::max(top, static_cast<int>(s.top));
        }
        if (s.left > 0 && Meets(s.leftStartY, s.leftEndY, monitor.y, monitor.Bottom()) && s.left > monitor.x) {
            left = std::max(left, static_cast<int>(s.left));
        }
        if (s.right > 0 && Meets(s.rightStartY, s.rightEndY, monitor.y, monitor.Bottom()) &&
            screenWidth - s.right < monitor.Right()) {
            right = std::min(right, static_cast<int>(screenWidth - s.right));
        }
    }
    // A dock deeper than the monitor leaves it nothing rather than less.
    return ScreenRect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace seastrip
