#include "front/gtk/gtk_window.h"

#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

#include <algorithm>

#include "front/gtk/gtk_layer.h"
#include "pictures/pictures.h"
#include "platform/twips.h"
#include "stage/stage.h"

namespace seastrip {

GtkStripWindow::GtkStripWindow(Stage& stage, int left, GdkMonitor* layerMonitor, StripWindowEvents& events)
    : stage_(stage), left_(left), canvas_(stage), events_(events)
{
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_window_set_title(window, "Seastrip");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_skip_pager_hint(window, TRUE);
    gtk_window_set_keep_above(window, FALSE);
    // A utility window stays in the normal stacking layer (a dock would be
    // kept above everything) and, refusing focus, never takes the keyboard.
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    gtk_window_stick(window);
    if (GdkPixbuf* icon = StripIcon()) {
        gtk_window_set_icon(window, icon);
        g_object_unref(icon);
    }
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "notify::scale-factor", G_CALLBACK(OnScaleFactor), this);
    g_signal_connect(window_, "realize", G_CALLBACK(OnRealize), this);

    // The canvas covers the whole window: a themed background under it would
    // only be painted over.
    gtk_widget_set_app_paintable(window_, TRUE);
    GtkWidget* canvas = canvas_.Widget();
    gtk_widget_add_events(canvas, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(canvas, "button-press-event", G_CALLBACK(OnButtonPress), this);
    gtk_container_add(GTK_CONTAINER(window_), canvas);
    gtk_widget_show(canvas);

    // Last: a layer surface undoes the fixed size set above.
    layer_ = MakeLayerSurface(window, layerMonitor, kStripHeightPixels);
    if (layer_) WatchLayerWidth(window, OnWidth, this);
}

GtkStripWindow::~GtkStripWindow()
{
    ignoring_ = true;
    if (GdkWindow* window = gtk_widget_get_window(window_)) gdk_window_remove_filter(window, OnWindowEvent, this);
    gtk_widget_destroy(window_);
}

void GtkStripWindow::Place(const Element& strip)
{
    const int left = PixelsFromTwips(strip.Left(), kTwipsPerPixel);
    const int top = PixelsFromTwips(strip.Top(), kTwipsPerPixel);
    const int width = std::max(1, PixelsFromTwips(strip.Width(), kTwipsPerPixel));
    const int height = std::max(1, PixelsFromTwips(strip.Height(), kTwipsPerPixel));
    rect_ = {left_ + left, top, width, height};
    if (layer_) {
        // The compositor decides the width and the place.
        gtk_widget_set_size_request(canvas_.Widget(), -1, height);
        return;
    }
    gtk_widget_set_size_request(canvas_.Widget(), width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
    gtk_window_move(GTK_WINDOW(window_), rect_.x, rect_.y);
}

void GtkStripWindow::Show(bool visible)
{
    if (visible) {
        Refresh();
        gtk_widget_show(window_);
    } else {
        gtk_widget_hide(window_);
    }
}

void GtkStripWindow::Refresh() { canvas_.Refresh(); }

gboolean GtkStripWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    // Double and triple clicks arrive as extra events after the plain press,
    // which has already been handled.
    if (event->type != GDK_BUTTON_PRESS || strip->ignoring_) return TRUE;
    if (strip->stage_.HitTest(static_cast<int>(event->x), static_cast<int>(event->y)) != nullptr) return TRUE;
    // GTK counts 1 left, 2 middle, 3 right.
    switch (event->button) {
    case 1: strip->events_.StripPressed(MouseButton::Left); break;
    case 2: strip->events_.StripPressed(MouseButton::Middle); break;
    case 3: strip->events_.StripPressed(MouseButton::Right); break;
    default: return TRUE;
    }
    strip->Refresh();
    return TRUE;
}

// The window stays until the owner ends the program: GTK would otherwise
// destroy it and leave the program running without a strip. No user can
// close a layer surface; the compositor closes it when its output goes, and
// the strip then belongs on another one.
gboolean GtkStripWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    if (strip->layer_) {
        if (!strip->ignoring_) strip->events_.LayerWithdrawn();
    } else {
        strip->Close();
    }
    return TRUE;
}

void GtkStripWindow::OnScaleFactor(GObject*, GParamSpec*, gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    if (!strip->ignoring_) strip->events_.Rescaled();
}

void GtkStripWindow::OnWidth(int width, void* self)
{
    static_cast<GtkStripWindow*>(self)->events_.LayerWidthGiven(width);
}

// Mapping the window afresh makes a new surface on the monitor, the only way
// back for one the compositor closed.
void GtkStripWindow::PutLayerOn(GdkMonitor* monitor)
{
    if (!layer_) return;
    const bool shown = gtk_widget_get_visible(window_);
    if (shown) gtk_widget_hide(window_);
    SetLayerMonitor(GTK_WINDOW(window_), monitor);
    if (shown) gtk_widget_show(window_);
}

void GtkStripWindow::OnRealize(GtkWidget* widget, gpointer self)
{
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = gtk_widget_get_window(widget);
    if (GDK_IS_X11_WINDOW(window)) gdk_window_add_filter(window, OnWindowEvent, self);
#else
    (void)widget;
    (void)self;
#endif
}

// Another program may destroy the window outright. That is a close request
// too, and it is taken before GDK complains about a window it did not
// destroy itself.
GdkFilterReturn GtkStripWindow::OnWindowEvent(GdkXEvent* xevent, GdkEvent*, gpointer self)
{
#ifdef GDK_WINDOWING_X11
    const auto* event = static_cast<const XEvent*>(xevent);
    auto* strip = static_cast<GtkStripWindow*>(self);
    if (event->type == DestroyNotify && !strip->ignoring_ &&
        event->xdestroywindow.window == GDK_WINDOW_XID(gtk_widget_get_window(strip->window_))) {
        strip->Close();
    }
#else
    (void)xevent;
    (void)self;
#endif
    return GDK_FILTER_CONTINUE;
}

void GtkStripWindow::Close()
{
    if (!ignoring_) events_.CloseRequested();
}

GdkPixbuf* StripIcon()
{
    const Picture icon = pictures::Icon();
    if (!icon || icon->width <= 0 || icon->height <= 0) return nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, icon->width, icon->height);
    if (!pixbuf) return nullptr;
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const size_t rowBytes = static_cast<size_t>(icon->width) * 3;
    for (int y = 0; y < icon->height; ++y) {
        std::copy_n(&icon->rgb[rowBytes * static_cast<size_t>(y)], rowBytes, pixels + static_cast<ptrdiff_t>(stride) * y);
    }
    return pixbuf;
}

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
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    ::Window active = 0;
    gdk_x11_display_error_trap_push(gdk_display_get_default());
    if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_ACTIVE_WINDOW", False),
                           0, 1, False, XA_WINDOW, &type, &format, &count, &left, &data) == Success &&
        data && type == XA_WINDOW && format == 32 && count == 1) {
        active = *reinterpret_cast<::Window*>(data);
    }
    if (data) XFree(data);
    gdk_x11_display_error_trap_pop_ignored(gdk_display_get_default());
    return active;
}

// Asks the window manager to activate a window as the user's own doing
// (source 2): the user has just asked for our window, or closed it. Window
// managers keep windows that merely ask for themselves from taking the focus
// from the window in use.
void RequestActivation(Display* display, ::Window window)
{
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = 2;
    request.xclient.data.l[1] = static_cast<long>(LastUserTime());
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
}

bool KeepsActiveWindow(GdkDisplay* display)
{
    return gdk_x11_screen_supports_net_wm_hint(gdk_display_get_default_screen(display),
                                               gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW"));
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
        XFlush(display);
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

}  // namespace seastrip
