#include "front/gtk/gtk_monitor.h"

namespace seastrip {

GdkMonitor* StripMonitor(GdkDisplay* display)
{
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    return monitor;
}

MonitorArea ReadMonitorArea()
{
    MonitorArea area;
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? StripMonitor(display) : nullptr;
    if (monitor) {
        gdk_monitor_get_geometry(monitor, &area.geometry);
        gdk_monitor_get_workarea(monitor, &area.workArea);
    }
    return area;
}

}  // namespace seastrip
