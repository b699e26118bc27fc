#pragma once

#include <gtk/gtk.h>

namespace seastrip {

// The strip's monitor as it stands now: where it lies on the screen and the
// part of it that panels leave free, both in screen pixels.
struct MonitorArea {
    GdkRectangle geometry{0, 0, 1024, 768};
    GdkRectangle workArea{0, 0, 1024, 768};
};

bool operator==(const MonitorArea& a, const MonitorArea& b);

// The monitor's geometry and free area. On X11 the free area is the
// monitor's own: the window manager's work area for that monitor where it
// publishes one per monitor, else the monitor less the docks' reserved
// edges. The single work area X11 window managers publish besides is one
// for all monitors together, which would lift the strip on a monitor
// without a panel to the height of another monitor's panel. Without a
// monitor (a screen whose only output was switched off) the whole screen
// stands in.
MonitorArea ReadMonitorArea(GdkDisplay* display, GdkMonitor* monitor);

}  // namespace seastrip
