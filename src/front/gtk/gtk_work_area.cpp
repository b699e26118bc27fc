#include "front/gtk/gtk_work_area.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>

#include "front/gtk/gtk_x11_hints.h"
#endif

#include <algorithm>
#include <vector>

namespace seastrip {

bool operator==(const MonitorArea& a, const MonitorArea& b)
{
    return gdk_rectangle_equal(&a.geometry, &b.geometry) && gdk_rectangle_equal(&a.workArea, &b.workArea);
}

#ifdef GDK_WINDOWING_X11
namespace {

ScreenRect ToScreenRect(const GdkRectangle& r) { return {r.x, r.y, r.width, r.height}; }
GdkRectangle ToGdk(const ScreenRect& r) { return {r.x, r.y, r.width, r.height}; }

// Every strut on the screen but the program's own: the window manager's
// clients', and those of windows it does not list (its own toolbar) that
// stand on the screen.
std::vector<DockStrut> Struts(GdkDisplay* gdk, Display* display)
{
    std::vector<::Window> windows = x11::ClientList(display).value_or(std::vector<::Window>{});
    const size_t listed = windows.size();
    for (::Window w : x11::TopLevelWindows(display)) {
        if (std::find(windows.begin(), windows.end(), w) == windows.end()) windows.push_back(w);
    }
    std::vector<DockStrut> struts;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (gdk_x11_window_lookup_for_display(gdk, windows[i])) continue;
        if (i >= listed) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, windows[i], &attributes) || attributes.map_state != IsViewable) continue;
        }
        if (auto strut = x11::ReadStrut(display, windows[i])) struts.push_back(*strut);
    }
    return struts;
}

}  // namespace
#endif

MonitorArea ReadMonitorArea(GdkDisplay* display, GdkMonitor* monitor, const std::optional<ScreenRect>& ownBand)
{
    MonitorArea area;
    if (monitor) {
        gdk_monitor_get_geometry(monitor, &area.geometry);
        gdk_monitor_get_workarea(monitor, &area.workArea);
    }
    area.dockArea = area.geometry;
#ifdef GDK_WINDOWING_X11
    if (!GDK_IS_X11_DISPLAY(display)) return area;
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const ScreenRect screen = x11::ScreenSize(xdisplay);
    if (!monitor) area.geometry = ToGdk(screen);
    // Windows may go away while their struts are read.
    gdk_x11_display_error_trap_push(display);
    Reservations reservations;
    reservations.monitorAreas = x11::MonitorWorkAreas(xdisplay);
    reservations.desktopArea = x11::DesktopWorkArea(xdisplay);
    reservations.struts = Struts(display, xdisplay);
    reservations.own = ownBand;
    area.workArea = ToGdk(FreeArea(ToScreenRect(area.geometry), screen, reservations));
    area.dockArea = ToGdk(MonitorWorkArea(ToScreenRect(area.geometry), screen.width, screen.height, reservations.struts));
    gdk_x11_display_error_trap_pop_ignored(display);
#else
    (void)display;
    (void)ownBand;
#endif
    return area;
}

}  // namespace seastrip
