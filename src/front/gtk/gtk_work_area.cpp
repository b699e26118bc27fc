#include "front/gtk/gtk_work_area.h"

#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

#include <string>
#include <vector>

#include "front/common/work_area.h"

namespace seastrip {

bool operator==(const MonitorArea& a, const MonitorArea& b)
{
    return gdk_rectangle_equal(&a.geometry, &b.geometry) && gdk_rectangle_equal(&a.workArea, &b.workArea);
}

#ifdef GDK_WINDOWING_X11
namespace {

// A property of 32-bit items as longs, as Xlib hands them; empty when the
// window or the property is missing or of another type.
std::vector<long> ReadLongs(Display* display, ::Window window, const char* name, Atom type)
{
    std::vector<long> values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const Atom property = gdk_x11_get_xatom_by_name_for_display(gdk_x11_lookup_xdisplay(display), name);
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count, &left,
                           &data) == Success &&
        data && actualType == type && format == 32) {
        const long* items = reinterpret_cast<const long*>(data);
        values.assign(items, items + count);
    }
    if (data) XFree(data);
    return values;
}

ScreenRect ToScreenRect(const GdkRectangle& r) { return {r.x, r.y, r.width, r.height}; }
GdkRectangle ToGdk(const ScreenRect& r) { return {r.x, r.y, r.width, r.height}; }

// The window manager's own work area for the monitor, from the per-monitor
// list of the current workspace: the listed area that covers most of it.
bool PublishedWorkArea(Display* display, ::Window root, const GdkRectangle& monitor, GdkRectangle& area)
{
    const std::vector<long> desktop = ReadLongs(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    const std::string name = "_GTK_WORKAREAS_D" + std::to_string(desktop.empty() ? 0 : desktop[0]);
    const std::vector<long> areas = ReadLongs(display, root, name.c_str(), XA_CARDINAL);
    long best = 0;
    for (size_t i = 0; i + 3 < areas.size(); i += 4) {
        const GdkRectangle listed{static_cast<int>(areas[i]), static_cast<int>(areas[i + 1]),
                                  static_cast<int>(areas[i + 2]), static_cast<int>(areas[i + 3])};
        GdkRectangle common;
        if (!gdk_rectangle_intersect(&listed, &monitor, &common)) continue;
        const long size = static_cast<long>(common.width) * common.height;
        if (size > best) {
            best = size;
            area = common;
        }
    }
    return best > 0;
}

// The monitor less what the managed windows reserve: false where no window
// manager lists its windows.
bool WorkAreaFromStruts(Display* display, ::Window root, const GdkRectangle& monitor, GdkRectangle& area)
{
    ::Window rootReturn = None;
    int x = 0, y = 0;
    unsigned int screenWidth = 0, screenHeight = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, root, &rootReturn, &x, &y, &screenWidth, &screenHeight, &border, &depth)) {
        return false;
    }
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const Atom list = gdk_x11_get_xatom_by_name_for_display(gdk_x11_lookup_xdisplay(display), "_NET_CLIENT_LIST");
    if (XGetWindowProperty(display, root, list, 0, 65536, False, XA_WINDOW, &actualType, &format, &count, &left,
                           &data) != Success ||
        !data || actualType != XA_WINDOW || format != 32) {
        if (data) XFree(data);
        return false;
    }
    std::vector<DockStrut> struts;
    const auto* windows = reinterpret_cast<const ::Window*>(data);
    for (unsigned long i = 0; i < count; ++i) {
        // The older form counts only where the newer one is missing.
        std::vector<long> values = ReadLongs(display, windows[i], "_NET_WM_STRUT_PARTIAL", XA_CARDINAL);
        if (values.size() < 12) values = ReadLongs(display, windows[i], "_NET_WM_STRUT", XA_CARDINAL);
        if (values.size() >= 4) struts.push_back(DockStrut::FromValues(values.data(), static_cast<int>(values.size())));
    }
    XFree(data);
    area = ToGdk(MonitorWorkArea(ToScreenRect(monitor), static_cast<int>(screenWidth),
                                 static_cast<int>(screenHeight), struts));
    return true;
}

GdkRectangle ScreenGeometry(Display* display)
{
    ::Window root = None;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border, &depth)) {
        return MonitorArea{}.geometry;
    }
    return {0, 0, static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace
#endif

MonitorArea ReadMonitorArea(GdkDisplay* display, GdkMonitor* monitor)
{
    MonitorArea area;
    if (monitor) {
        gdk_monitor_get_geometry(monitor, &area.geometry);
        gdk_monitor_get_workarea(monitor, &area.workArea);
    }
#ifdef GDK_WINDOWING_X11
    if (!GDK_IS_X11_DISPLAY(display)) return area;
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const ::Window root = DefaultRootWindow(xdisplay);
    if (!monitor) area.geometry = ScreenGeometry(xdisplay);
    // Windows may go away while their struts are read.
    gdk_x11_display_error_trap_push(display);
    if (!PublishedWorkArea(xdisplay, root, area.geometry, area.workArea) &&
        !WorkAreaFromStruts(xdisplay, root, area.geometry, area.workArea) && !monitor) {
        area.workArea = area.geometry;
    }
    gdk_x11_display_error_trap_pop_ignored(display);
#else
    (void)display;
#endif
    return area;
}

}  // namespace seastrip
