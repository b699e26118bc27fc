#include "front/gtk/gtk_x11_hints.h"

#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace seastrip::x11 {

bool AffectsWorkArea(const char* name)
{
    return std::strcmp(name, kWorkArea) == 0 || std::strcmp(name, kCurrentDesktop) == 0 ||
           std::strncmp(name, kMonitorWorkAreasPrefix, std::strlen(kMonitorWorkAreasPrefix)) == 0;
}

bool IsStrutProperty(const char* name) { return std::strcmp(name, kStrutPartial) == 0 || std::strcmp(name, kStrut) == 0; }

Atom AtomOf(Display* display, const char* name)
{
    return gdk_x11_get_xatom_by_name_for_display(gdk_x11_lookup_xdisplay(display), name);
}

void AskWindowManager(Display* display, ::Window window, const char* message, std::initializer_list<long> items)
{
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = AtomOf(display, message);
    request.xclient.format = 32;
    int i = 0;
    for (const long item : items) {
        if (i < 5) request.xclient.data.l[i++] = item;
    }
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XFlush(display);
}

namespace {

// Up to `limit` 32-bit items of a property, of the given type (AnyPropertyType
// for any), each handed to `take`.
template <typename Take>
void ReadItems(Display* display, ::Window window, const char* name, Atom type, long limit, Take take)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, AtomOf(display, name), 0, limit, False, type, &actualType, &format,
                           &count, &left, &data) == Success &&
        data && (type == AnyPropertyType || actualType == type) && format == 32) {
        const long* items = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i) take(items[i]);
    }
    if (data) XFree(data);
}

}  // namespace

std::vector<long> ReadLongs(Display* display, ::Window window, const char* name, Atom type)
{
    std::vector<long> values;
    ReadItems(display, window, name, type, 4096, [&](long v) { values.push_back(v); });
    return values;
}

std::vector<::Window> ReadWindows(Display* display, ::Window window, const char* name)
{
    std::vector<::Window> windows;
    ReadItems(display, window, name, XA_WINDOW, 65536, [&](long v) { windows.push_back(static_cast<::Window>(v)); });
    return windows;
}

std::optional<std::vector<::Window>> ClientList(Display* display)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const bool listed = XGetWindowProperty(display, DefaultRootWindow(display), AtomOf(display, kClientList), 0, 0,
                                           False, XA_WINDOW, &actualType, &format, &count, &left, &data) == Success &&
                        actualType == XA_WINDOW;
    if (data) XFree(data);
    if (!listed) return std::nullopt;
    return ReadWindows(display, DefaultRootWindow(display), kClientList);
}

std::vector<::Window> TopLevelWindows(Display* display)
{
    ::Window root = None, parent = None;
    ::Window* children = nullptr;
    unsigned int count = 0;
    std::vector<::Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) && children) {
        windows.assign(children, children + count);
    }
    if (children) XFree(children);
    return windows;
}

bool IsDock(Display* display, ::Window window)
{
    const std::vector<long> types = ReadLongs(display, window, kWindowType, XA_ATOM);
    const long dock = static_cast<long>(AtomOf(display, kTypeDock));
    return std::find(types.begin(), types.end(), dock) != types.end();
}

std::optional<DockStrut> ReadStrut(Display* display, ::Window window)
{
    // The older form counts only where the newer one is missing.
    std::vector<long> values = ReadLongs(display, window, kStrutPartial, XA_CARDINAL);
    if (values.size() < 12) values = ReadLongs(display, window, kStrut, XA_CARDINAL);
    if (values.size() < 4) return std::nullopt;
    const DockStrut strut = DockStrut::FromValues(values.data(), static_cast<int>(values.size()));
    if (strut.left <= 0 && strut.right <= 0 && strut.top <= 0 && strut.bottom <= 0) return std::nullopt;
    return strut;
}

namespace {

long CurrentDesktop(Display* display)
{
    const std::vector<long> desktop = ReadLongs(display, DefaultRootWindow(display), kCurrentDesktop, XA_CARDINAL);
    return desktop.empty() ? 0 : desktop[0];
}

}  // namespace

std::optional<ScreenRect> DesktopWorkArea(Display* display)
{
    const std::vector<long> areas = ReadLongs(display, DefaultRootWindow(display), kWorkArea, XA_CARDINAL);
    // One rectangle per workspace; a window manager may publish just one.
    size_t at = static_cast<size_t>(CurrentDesktop(display)) * 4;
    if (at + 3 >= areas.size()) at = 0;
    if (areas.size() < 4) return std::nullopt;
    return ScreenRect{static_cast<int>(areas[at]), static_cast<int>(areas[at + 1]), static_cast<int>(areas[at + 2]),
                      static_cast<int>(areas[at + 3])};
}

std::vector<ScreenRect> MonitorWorkAreas(Display* display)
{
    const std::string name = kMonitorWorkAreasPrefix + std::to_string(CurrentDesktop(display));
    const std::vector<long> areas = ReadLongs(display, DefaultRootWindow(display), name.c_str(), XA_CARDINAL);
    std::vector<ScreenRect> rects;
    for (size_t i = 0; i + 3 < areas.size(); i += 4) {
        rects.push_back({static_cast<int>(areas[i]), static_cast<int>(areas[i + 1]), static_cast<int>(areas[i + 2]),
                         static_cast<int>(areas[i + 3])});
    }
    return rects;
}

ScreenRect ScreenSize(Display* display)
{
    ::Window root = None;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border, &depth)) {
        return {0, 0, 1024, 768};
    }
    return {0, 0, static_cast<int>(width), static_cast<int>(height)};
}

::Window ActiveWindow(Display* display)
{
    const std::vector<::Window> active = ReadWindows(display, DefaultRootWindow(display), kActiveWindow);
    return active.empty() ? 0 : active[0];
}

std::string WindowManagerName(Display* display)
{
    const std::vector<::Window> check = ReadWindows(display, DefaultRootWindow(display), kSupportingCheck);
    if (check.empty() || check[0] == 0) return {};
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, check[0], AtomOf(display, kWmName), 0, 256, False, AnyPropertyType, &actualType,
                           &format, &count, &left, &data) == Success &&
        data && format == 8) {
        name.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data) XFree(data);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool IsKnownTiler(Display* display)
{
    static constexpr const char* kTilers[] = {"i3", "bspwm", "herbstluftwm", "awesome", "xmonad", "dwm",
                                              "qtile", "spectrwm", "leftwm", "stumpwm", "ratpoison", "notion"};
    const std::string name = WindowManagerName(display);
    return std::find(std::begin(kTilers), std::end(kTilers), name) != std::end(kTilers);
}

}  // namespace seastrip::x11
#endif
