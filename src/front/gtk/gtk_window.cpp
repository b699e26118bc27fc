#include "front/gtk/gtk_window.h"

#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

#include <algorithm>

#include "front/gtk/gtk_focus.h"
#include "front/gtk/gtk_layer.h"
#include "front/gtk/gtk_x11_hints.h"
#include "pictures/pictures.h"
#include "platform/twips.h"
#include "stage/stage.h"

namespace seastrip {

GtkStripWindow::GtkStripWindow(Stage& stage, int left, GdkMonitor* layerMonitor, GtkStripWindowEvents& events)
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
    g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigure), this);

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
    if (checking_) g_source_remove(checking_);
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
    corrections_ = 0;
    WriteStrut();
}

void GtkStripWindow::Reserve()
{
    if (reserving_) return;
    reserving_ = true;
    if (layer_) {
        ReserveLayerRow(GTK_WINDOW(window_), kStripHeightPixels);
        return;
    }
    // A window's type counts when it is mapped: a shown strip is mapped again.
    const bool shown = gtk_widget_get_visible(window_);
    if (shown) gtk_widget_hide(window_);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DOCK);
    if (shown) {
        gtk_window_move(GTK_WINDOW(window_), rect_.x, rect_.y);
        gtk_widget_show(window_);
    }
    WriteStrut();
}

std::optional<ScreenRect> GtkStripWindow::ReservedBand() const { return reserving_ ? band_ : std::nullopt; }

void GtkStripWindow::WithdrawBand()
{
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = gtk_widget_get_window(window_);
    if (!band_ || layer_ || !window || !GDK_IS_X11_WINDOW(window)) return;
    Display* display = GDK_WINDOW_XDISPLAY(window);
    XDeleteProperty(display, GDK_WINDOW_XID(window), x11::AtomOf(display, x11::kStrutPartial));
    XDeleteProperty(display, GDK_WINDOW_XID(window), x11::AtomOf(display, x11::kStrut));
    band_.reset();
#endif
}

// The bottom strut runs from the strip's top to the screen's bottom edge
// (struts count from the whole screen's edges), along the strip's width.
void GtkStripWindow::WriteStrut()
{
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = gtk_widget_get_window(window_);
    if (!reserving_ || layer_ || !window || !GDK_IS_X11_WINDOW(window) || rect_.width <= 0) return;
    Display* display = GDK_WINDOW_XDISPLAY(window);
    const seastrip::ScreenRect screen = x11::ScreenSize(display);
    const long bottom = std::max(0, screen.height - rect_.y);
    const long partial[12] = {0, 0, 0, bottom, 0, 0, 0, 0, 0, 0, rect_.x, rect_.x + rect_.width - 1};
    XChangeProperty(display, GDK_WINDOW_XID(window), x11::AtomOf(display, x11::kStrutPartial), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(partial), 12);
    XChangeProperty(display, GDK_WINDOW_XID(window), x11::AtomOf(display, x11::kStrut), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(partial), 4);
    band_ = seastrip::ScreenRect{rect_.x, rect_.y, rect_.width, rect_.height};
#endif
}

// Window managers answer a move with where they put the window, which may
// differ: some clamp a window to the work area a pixel short, some ignore a
// floating window's size. The answer is looked at once a burst of them has
// settled.
gboolean GtkStripWindow::OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    if (strip->checking_) g_source_remove(strip->checking_);
    strip->checking_ = g_timeout_add(200, CheckGiven, strip);
    return FALSE;
}

gboolean GtkStripWindow::MapAgain(gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    strip->checking_ = 0;
    gtk_window_move(GTK_WINDOW(strip->window_), strip->rect_.x, strip->rect_.y);
#ifdef GDK_WINDOWING_X11
    // GTK leaves out a move to where it believes the window already is.
    if (GdkWindow* window = gtk_widget_get_window(strip->window_); window && GDK_IS_X11_WINDOW(window)) {
        XMoveWindow(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), strip->rect_.x, strip->rect_.y);
    }
#endif
    gtk_widget_show(strip->window_);
    return G_SOURCE_REMOVE;
}

gboolean GtkStripWindow::CheckGiven(gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    strip->checking_ = 0;
    GdkWindow* window = gtk_widget_get_window(strip->window_);
    if (strip->layer_ || !window || !gtk_widget_get_mapped(strip->window_)) return G_SOURCE_REMOVE;
    GdkRectangle given{0, 0, gdk_window_get_width(window), gdk_window_get_height(window)};
    gdk_window_get_origin(window, &given.x, &given.y);
    strip->given_ = given;
    const GdkRectangle& asked = strip->rect_;
    // A dock is the window manager's to size. Any window manager fits a
    // floating window 28 pixels high, unless it lays out every window itself
    // (a tiler, or its minimum size for a floating one); asked twice, in
    // case the answer was to an older request.
    if (given.height != asked.height && !strip->reserving_) {
        if (++strip->refusals_ < 2) {
            // No answer comes from a window manager that ignores the request.
            gtk_window_resize(GTK_WINDOW(strip->window_), asked.width, asked.height);
            strip->checking_ = g_timeout_add(300, CheckGiven, strip);
        } else if (!strip->ignoring_) {
            strip->events_.SizeRefused();
        }
        return G_SOURCE_REMOVE;
    }
    strip->refusals_ = 0;
    if (given.width != asked.width) return G_SOURCE_REMOVE;
    if (given.x == asked.x && given.y == asked.y) return G_SOURCE_REMOVE;
    // A window manager may add its frame (asked again, as far past the
    // place as it fell short) or clamp a moving window a pixel short of
    // the work area's edge while it places a new one where it asks to be
    // (mapped afresh). No more than that: a window manager that moves the
    // window elsewhere on purpose is not argued with.
    if (strip->corrections_ == 0) {
        gtk_window_move(GTK_WINDOW(strip->window_), 2 * asked.x - given.x, 2 * asked.y - given.y);
        // A window manager that clamps the window again may not say so.
        strip->checking_ = g_timeout_add(300, CheckGiven, strip);
    } else if (strip->corrections_ == 1 && !strip->reserving_) {
        // Mapped again once the window manager has let the window go: until
        // then a move is a move inside its frame.
        gtk_widget_hide(strip->window_);
        strip->checking_ = g_timeout_add(100, MapAgain, strip);
    }
    ++strip->corrections_;
    return G_SOURCE_REMOVE;
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
    static_cast<GtkStripWindow*>(self)->WriteStrut();
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
    GdkWindow* window = gtk_widget_get_window(strip->window_);
    if (event->type == DestroyNotify && !strip->ignoring_ && event->xdestroywindow.window == GDK_WINDOW_XID(window)) {
        strip->Close();
    } else if (event->type == PropertyNotify &&
               event->xproperty.atom == x11::AtomOf(event->xproperty.display, x11::kState)) {
        RefuseAttention(window);
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

}  // namespace seastrip
