#pragma once

#include <vector>

namespace seastrip {

// A rectangle in screen pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What a dock (a panel, a taskbar) reserves along the screen's edges, as an
// X11 window manager is told it (_NET_WM_STRUT_PARTIAL): a depth from each
// edge of the whole screen, and the span along that edge it covers
// (inclusive). The older four-value form covers every edge's whole length.
struct DockStrut {
    long left = 0, right = 0, top = 0, bottom = 0;
    long leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    long topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;

    static DockStrut FromValues(const long* values, int count);
};

// The free part of one monitor: its rectangle less what every dock reserves
// where it meets this monitor. A window manager's single work area is the
// intersection over all monitors, which puts a strip on a monitor without a
// bottom panel above another monitor's panel; this is the monitor's own.
ScreenRect MonitorWorkArea(const ScreenRect& monitor, int screenWidth, int screenHeight,
                           const std::vector<DockStrut>& struts);

}  // namespace seastrip
