#include "front/common/work_area.h"

#include <algorithm>

namespace seastrip {
namespace {

// Whether [start, end] (inclusive, as struts give spans) meets [from, to).
bool Meets(long start, long end, int from, int to) { return start < to && end >= from; }

std::optional<ScreenRect> Intersect(const ScreenRect& a, const ScreenRect& b)
{
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.Right(), b.Right()), bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top) return std::nullopt;
    return ScreenRect{left, top, right - left, bottom - top};
}

long long Size(const ScreenRect& r) { return static_cast<long long>(r.width) * r.height; }

// A published area counts the strip's own band as reserved; handed back to
// it, so that reserving a row never lifts the strip by that row.
ScreenRect WithOwnBand(ScreenRect area, const std::optional<ScreenRect>& own)
{
    if (own && area.Bottom() == own->y && area.x < own->Right() && own->x < area.Right()) {
        area.height += own->height;
    }
    return area;
}

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

ScreenRect FreeArea(const ScreenRect& monitor, const ScreenRect& screen, const Reservations& reservations)
{
    ScreenRect area = MonitorWorkArea(monitor, screen.width, screen.height, reservations.struts);
    auto narrow = [&](const ScreenRect& published) {
        if (auto common = Intersect(area, WithOwnBand(published, reservations.own))) area = *common;
    };
    const ScreenRect* best = nullptr;
    long long bestSize = 0;
    for (const ScreenRect& listed : reservations.monitorAreas) {
        const auto common = Intersect(listed, monitor);
        if (common && Size(*common) > bestSize) {
            bestSize = Size(*common);
            best = &listed;
        }
    }
    if (best) narrow(*best);
    if (reservations.desktopArea && monitor == screen) narrow(*reservations.desktopArea);
    return area;
}

}  // namespace seastrip
