#include "front/gtk/gtk_desktop_watch.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>

#include "front/gtk/gtk_x11_hints.h"
#endif

#include <cstring>

namespace seastrip {
namespace {

// Long enough to take a burst (a panel resizing, a monitor being plugged in
// announces itself several times) as one change, short enough that the
// strip is in its new place well within a second.
constexpr guint kSettleMs = 150;

}  // namespace

DesktopWatch::~DesktopWatch() { Stop(); }

void DesktopWatch::Start(GdkDisplay* display, std::function<void()> changed)
{
    Stop();
    display_ = display;
    changed_ = std::move(changed);
    GdkScreen* screen = gdk_display_get_default_screen(display);
    auto connect = [this](gpointer object, const char* signal) {
        handlers_.emplace_back(object, g_signal_connect_swapped(object, signal, G_CALLBACK(OnSignal), this));
    };
    connect(display, "monitor-added");
    connect(display, "monitor-removed");
    connect(screen, "monitors-changed");
    connect(screen, "size-changed");
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_DISPLAY(display)) {
        gdk_window_add_filter(nullptr, OnXEvent, this);
        filtering_ = true;
        WatchRoot();
        WatchClients();
    }
#endif
}

void DesktopWatch::Stop()
{
    for (auto& [object, id] : handlers_) g_signal_handler_disconnect(object, id);
    handlers_.clear();
#ifdef GDK_WINDOWING_X11
    if (filtering_) gdk_window_remove_filter(nullptr, OnXEvent, this);
#endif
    filtering_ = false;
    if (settling_) g_source_remove(settling_);
    settling_ = 0;
    if (soon_) g_source_remove(soon_);
    soon_ = 0;
    changed_ = nullptr;
}

void DesktopWatch::Notice()
{
    if (settling_ || !changed_) return;
    settling_ = g_timeout_add(kSettleMs, OnSettled, this);
}

void DesktopWatch::Soon()
{
    Notice();
    if (soon_ || !changed_) return;
    soon_ = g_idle_add(OnSoon, this);
}

gboolean DesktopWatch::OnSoon(gpointer self)
{
    auto* watch = static_cast<DesktopWatch*>(self);
    watch->soon_ = 0;
    if (watch->changed_) watch->changed_();
    return G_SOURCE_REMOVE;
}

void DesktopWatch::OnSignal(gpointer self) { static_cast<DesktopWatch*>(self)->Notice(); }

gboolean DesktopWatch::OnSettled(gpointer self)
{
    auto* watch = static_cast<DesktopWatch*>(self);
    watch->settling_ = 0;
    if (watch->changed_) watch->changed_();
    return G_SOURCE_REMOVE;
}

#ifdef GDK_WINDOWING_X11
// GDK listens to the root window for its own needs; property changes are
// added to whatever it chose.
void DesktopWatch::WatchRoot()
{
    Display* display = GDK_DISPLAY_XDISPLAY(display_);
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, root, &attributes)) {
        XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
    }
}

// A dock's reserved edges are a property of its own window: each dock is
// watched for them. Other windows are not: their titles and user times
// change all day, and an ornament should not wake for every keystroke in
// someone else's window. Selecting again is harmless, and a window that is
// gone by now is no error worth reporting.
void DesktopWatch::WatchClients()
{
    Display* display = GDK_DISPLAY_XDISPLAY(display_);
    gdk_x11_display_error_trap_push(display_);
    auto watch = [&](::Window window, bool listed) {
        // Our own windows are GDK's, with masks of their own to keep.
        if (gdk_x11_window_lookup_for_display(display_, window)) return;
        // A window the window manager does not list (its own toolbar) is
        // watched only while it reserves an edge.
        if (x11::IsDock(display, window) || (!listed && x11::ReadStrut(display, window))) {
            XSelectInput(display, window, PropertyChangeMask);
        }
    };
    if (auto clients = x11::ClientList(display)) {
        for (::Window window : *clients) watch(window, true);
    }
    for (::Window window : x11::TopLevelWindows(display)) watch(window, false);
    gdk_x11_display_error_trap_pop_ignored(display_);
}

GdkFilterReturn DesktopWatch::OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self)
{
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type != PropertyNotify) return GDK_FILTER_CONTINUE;
    auto* watch = static_cast<DesktopWatch*>(self);
    const char* name = gdk_x11_get_xatom_name_for_display(watch->display_, event->xproperty.atom);
    if (!name) return GDK_FILTER_CONTINUE;
    const bool onRoot = event->xproperty.window == DefaultRootWindow(event->xproperty.display);
    if (onRoot) {
        if (std::strcmp(name, x11::kClientList) == 0) {
            watch->WatchClients();
            watch->Notice();
        } else if (x11::AffectsWorkArea(name)) {
            watch->Notice();
        }
    } else if (x11::IsStrutProperty(name)) {
        watch->Notice();
    }
    return GDK_FILTER_CONTINUE;
}
#endif

}  // namespace seastrip
