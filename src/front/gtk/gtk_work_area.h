#pragma once

#include <gtk/gtk.h>

#include <optional>

#include "front/common/work_area.h"

namespace seastrip {

// The strip's monitor as it stands now: where it lies on the screen and the
// part of it that panels leave free, both in screen pixels.
struct MonitorArea {
    GdkRectangle geometry{0, 0, 1024, 768};
    GdkRectangle workArea{0, 0, 1024, 768};
    // The monitor less what docks with struts reserve, the strip's own left
    // out (X11 only; the geometry elsewhere).
    GdkRectangle dockArea{0, 0, 1024, 768};
};

bool operator==(const MonitorArea& a, const MonitorArea& b);

// The monitor's geometry and free area. On X11 the free area is the
// monitor's own, by every account the desktop gives (see FreeArea): the
// window manager's work areas and the struts of every dock, listed or not.
// ownBand is the row the strip reserves for itself, if it does. Without a
// monitor (a screen whose only output was switched off) the whole screen
// stands in.
MonitorArea ReadMonitorArea(GdkDisplay* display, GdkMonitor* monitor, const std::optional<ScreenRect>& ownBand = {});

}  // namespace seastrip
