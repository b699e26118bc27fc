#pragma once

#include <optional>
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

// What a desktop publishes about the free area around one monitor.
struct Reservations {
    // The window manager's work area per monitor, where it publishes one.
    std::vector<ScreenRect> monitorAreas;
    // Its single work area for the whole screen, where it publishes one.
    std::optional<ScreenRect> desktopArea;
    // What the docks reserve, listed clients or not, the strip's own left out.
    std::vector<DockStrut> struts;
    // The band the strip reserves for itself (an opt-in), which the window
    // manager's own work areas already leave out: it is the strip's to stand on.
    std::optional<ScreenRect> own;
};

// The free part of one monitor by every account the desktop gives: the
// monitor less the docks' struts, within the window manager's work area
// for this monitor (the listed area covering most of it) and within its
// single work area where that one describes this monitor alone (the
// monitor is the whole screen; with more monitors it is the intersection
// over all of them, which would lift the strip above another monitor's
// panel). No published reservation is overlapped even where one source
// misses a dock (a window manager's own toolbar is nobody's client). A
// source that leaves nothing of the monitor is taken for a stale one.
ScreenRect FreeArea(const ScreenRect& monitor, const ScreenRect& screen, const Reservations& reservations);

}  // namespace seastrip
