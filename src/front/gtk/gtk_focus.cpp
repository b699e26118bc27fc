#include "front/gtk/gtk_focus.h"

#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>

#include <algorithm>

#include "front/gtk/gtk_x11_hints.h"
#endif

namespace seastrip {

guint32 LastUserTime()
{
#ifdef GDK_WINDOWING_X11
    GdkDisplay* display = gdk_display_get_default();
    if (GDK_IS_X11_DISPLAY(display)) return gdk_x11_display_get_user_time(display);
#endif
    return GDK_CURRENT_TIME;
}

#ifdef GDK_WINDOWING_X11
namespace {

Display* XDisplayOrNull()
{
    GdkDisplay* display = gdk_display_get_default();
    return GDK_IS_X11_DISPLAY(display) ? GDK_DISPLAY_XDISPLAY(display) : nullptr;
}

// The window manager's active window, or 0.
::Window ActiveWindow(Display* display)
{
    gdk_x11_display_error_trap_push(gdk_display_get_default());
    const ::Window active = x11::ActiveWindow(display);
    gdk_x11_display_error_trap_pop_ignored(gdk_display_get_default());
    return active;
}

// Asks the window manager to activate a window as the user's own doing
// (source 2): the user has just asked for our window, or closed it. Window
// managers keep windows that merely ask for themselves from taking the focus
// from the window in use.
void RequestActivation(Display* display, ::Window window)
{
    x11::AskWindowManager(display, window, x11::kActiveWindow, {2, static_cast<long>(LastUserTime())});
}

bool KeepsActiveWindow(GdkDisplay* display)
{
    return gdk_x11_screen_supports_net_wm_hint(gdk_display_get_default_screen(display),
                                               gdk_atom_intern_static_string(x11::kActiveWindow));
}

::Window FocusedWindow(Display* display)
{
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus == PointerRoot ? None : focus;
}

}  // namespace
#endif

void Activate(GtkWindow* window)
{
#ifdef GDK_WINDOWING_X11
    Display* display = XDisplayOrNull();
    GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
    if (!display || !gdkWindow) return;
    if (KeepsActiveWindow(gdk_display_get_default())) {
        RequestActivation(display, GDK_WINDOW_XID(gdkWindow));
    } else {
        // Without a window manager to ask, the window takes the focus itself.
        gdk_window_focus(gdkWindow, GDK_CURRENT_TIME);
    }
#else
    (void)window;
#endif
}

// With a window manager that keeps an active window the focus goes back
// through it: it handles the closing of our window first and then our
// request, so its own choice of a window to focus never wins over ours.
FocusReturn::FocusReturn()
{
#ifdef GDK_WINDOWING_X11
    Display* display = XDisplayOrNull();
    if (!display) return;
    viaWindowManager_ = KeepsActiveWindow(gdk_display_get_default());
    window_ = viaWindowManager_ ? ActiveWindow(display) : FocusedWindow(display);
#endif
}

FocusReturn::~FocusReturn()
{
#ifdef GDK_WINDOWING_X11
    Display* display = XDisplayOrNull();
    if (!display || window_ == 0) return;
    if (viaWindowManager_) {
        if (ActiveWindow(display) == window_) return;
        RequestActivation(display, window_);
    } else {
        if (FocusedWindow(display) == window_) return;
        gdk_x11_display_error_trap_push(gdk_display_get_default());
        XSetInputFocus(display, window_, RevertToParent, CurrentTime);
        gdk_x11_display_error_trap_pop_ignored(gdk_display_get_default());
    }
    XFlush(display);
#endif
}

void RefuseAttention(GdkWindow* window)
{
#ifdef GDK_WINDOWING_X11
    if (!window || !GDK_IS_X11_WINDOW(window)) return;
    Display* display = GDK_WINDOW_XDISPLAY(window);
    const ::Window xid = GDK_WINDOW_XID(window);
    const long attention = static_cast<long>(x11::AtomOf(display, x11::kDemandsAttention));
    gdk_x11_display_error_trap_push(gdk_window_get_display(window));
    const std::vector<long> state = x11::ReadLongs(display, xid, x11::kState, XA_ATOM);
    if (std::find(state.begin(), state.end(), attention) != state.end()) {
        // The state of a managed window is the window manager's to change:
        // it is asked to remove the demand (action 0), as the user's
        // application would (source 1).
        x11::AskWindowManager(display, xid, x11::kState, {0, attention, 0, 1});
    }
    gdk_x11_display_error_trap_pop_ignored(gdk_window_get_display(window));
#else
    (void)window;
#endif
}

}  // namespace seastrip
