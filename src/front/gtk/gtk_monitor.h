#pragma once

#include <gtk/gtk.h>

namespace seastrip {

// The strip's monitor, read once at start: the strip is sized and docked only
// at load and does not follow later changes of the screen.
struct MonitorArea {
    GdkRectangle geometry{0, 0, 1024, 768};
    GdkRectangle workArea{0, 0, 1024, 768};
};

// The monitor the strip belongs on: the primary one, or the first; null on a
// display without monitors.
GdkMonitor* StripMonitor(GdkDisplay* display);

// The strip monitor's geometry and work area, or a 1024 x 768 screen when the
// display names no monitor.
MonitorArea ReadMonitorArea();

}  // namespace seastrip
