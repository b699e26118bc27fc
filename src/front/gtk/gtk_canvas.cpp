#include "front/gtk/gtk_canvas.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include "front/gtk/cairo_output.h"
#include "front/gtk/wayland_output.h"
#include "front/gtk/x11_output.h"
#include "stage/stage.h"

namespace seastrip {
namespace {

#ifdef GDK_WINDOWING_X11
// The X11 output writes words 0x00RRGGBB; a window of another kind is drawn
// through GTK.
bool TakesWords(GdkVisual* visual)
{
    guint32 red = 0, green = 0, blue = 0;
    gdk_visual_get_red_pixel_details(visual, &red, nullptr, nullptr);
    gdk_visual_get_green_pixel_details(visual, &green, nullptr, nullptr);
    gdk_visual_get_blue_pixel_details(visual, &blue, nullptr, nullptr);
    return gdk_visual_get_visual_type(visual) == GDK_VISUAL_TRUE_COLOR && gdk_visual_get_depth(visual) == 24 &&
           red == 0xFF0000 && green == 0x00FF00 && blue == 0x0000FF;
}
#endif

}  // namespace

GtkCanvas::GtkCanvas(Stage& stage) : presenter_(stage)
{
    area_ = gtk_drawing_area_new();
    g_object_ref_sink(area_);
    g_signal_connect(area_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(area_, "realize", G_CALLBACK(OnRealize), this);
    g_signal_connect(area_, "unrealize", G_CALLBACK(OnUnrealize), this);
    g_signal_connect(area_, "notify::scale-factor", G_CALLBACK(OnScaleFactor), this);
    g_signal_connect(area_, "size-allocate", G_CALLBACK(OnSizeAllocate), this);
}

// The window may be gone already; the widget then lives on only through our
// reference, and nothing draws it any more.
GtkCanvas::~GtkCanvas()
{
    g_signal_handlers_disconnect_by_data(area_, this);
    presenter_.SetOutput(nullptr);
    output_.reset();
    g_object_unref(area_);
}

// Before the window exists there is no output: the frame is composed all
// the same, and the first draw shows it whole.
void GtkCanvas::Refresh()
{
    if (!presenter_.Refresh() && FallBack()) presenter_.Refresh();
}

bool GtkCanvas::FallBack()
{
    if (!output_ || output_->Usable()) return false;
    Use(std::make_unique<CairoOutput>(area_));
    return true;
}

// With the X11 output the window is never painted by GTK (see there): GTK
// then draws straight onto the window, where the draw handler only asks for
// a put.
void GtkCanvas::Use(std::unique_ptr<GtkFrameOutput> output)
{
    presenter_.SetOutput(nullptr);
    output_ = std::move(output);
    GtkWidget* window = gtk_widget_get_toplevel(area_);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (gtk_widget_is_toplevel(window)) gtk_widget_set_double_buffered(window, !output_ || output_->GtkPaints());
    G_GNUC_END_IGNORE_DEPRECATIONS
    GtkAllocation place;
    gtk_widget_get_allocation(area_, &place);
    PlaceOutput(place.x, place.y);
    presenter_.SetOutput(output_.get());
}

void GtkCanvas::PlaceOutput(int x, int y)
{
    if (output_) output_->Place(presenter_.Scale(), x, y);
}

// The pixels go into the top-level window, GDK's only X window or Wayland
// surface here.
std::unique_ptr<GtkFrameOutput> GtkCanvas::MakeOutput() const
{
    GdkWindow* window = gdk_window_get_toplevel(gtk_widget_get_window(area_));
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window) && TakesWords(gdk_window_get_visual(window))) {
        auto output = std::make_unique<X11Output>(gdk_display_get_name(gdk_window_get_display(window)),
                                                  static_cast<xcb_window_t>(GDK_WINDOW_XID(window)));
        if (output->Usable()) return output;
    }
#endif
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_WINDOW(window)) {
        auto output = std::make_unique<WaylandOutput>(
            area_, gdk_wayland_display_get_wl_display(gdk_window_get_display(window)),
            gdk_wayland_window_get_wl_surface(window));
        if (output->HasBuffers()) return output;
    }
#endif
    (void)window;
    return std::make_unique<CairoOutput>(area_);
}

// GTK draws the area when the window is mapped, exposed, resized or
// rescaled: from the output's image, made anew from the last frame if need
// be. No scene code runs here.
gboolean GtkCanvas::OnDraw(GtkWidget*, cairo_t* cr, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    if (!canvas->output_) return TRUE;
    if (!canvas->presenter_.Prepare() && !(canvas->FallBack() && canvas->presenter_.Prepare())) return TRUE;
    GdkRectangle clip;
    if (gdk_cairo_get_clip_rectangle(cr, &clip)) canvas->output_->Draw(cr, clip);
    return TRUE;
}

void GtkCanvas::OnRealize(GtkWidget* widget, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    canvas->presenter_.SetScale(gtk_widget_get_scale_factor(widget));
    canvas->Use(canvas->MakeOutput());
}

void GtkCanvas::OnUnrealize(GtkWidget*, gpointer self) { static_cast<GtkCanvas*>(self)->Use(nullptr); }

// The area's place in the window, kept for the puts of every tick.
void GtkCanvas::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self)
{
    static_cast<GtkCanvas*>(self)->PlaceOutput(allocation->x, allocation->y);
}

// A new scale (the window moved to another monitor, or the desktop's scale
// changed) redraws the whole strip at once with blocks of the new size.
void GtkCanvas::OnScaleFactor(GObject*, GParamSpec*, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    const int scale = gtk_widget_get_scale_factor(canvas->area_);
    if (scale == canvas->presenter_.Scale()) return;
    canvas->presenter_.SetScale(scale);
    GtkAllocation place;
    gtk_widget_get_allocation(canvas->area_, &place);
    canvas->PlaceOutput(place.x, place.y);
    gtk_widget_queue_draw(canvas->area_);
}

}  // namespace seastrip
