#include "front/gtk/gtk_canvas.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include "front/gtk/wayland_blit.h"
#include "front/gtk/x11_blit.h"
#include "stage/nearest_scale.h"
#include "stage/stage.h"

namespace seastrip {
namespace {

PixelRect Scaled(const PixelRect& rect, int scale) { return {rect.x * scale, rect.y * scale, rect.w * scale, rect.h * scale}; }

#ifdef GDK_WINDOWING_X11
// The blit writes words 0x00RRGGBB; a window of another kind is drawn
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

GtkCanvas::GtkCanvas(Stage& stage) : stage_(stage)
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
    DropImage();
    blit_.reset();
    wayland_.reset();
    g_object_unref(area_);
}

void GtkCanvas::Refresh()
{
    const Bitmap& frame = stage_.Compose();
    // Before the window exists its first draw shows the whole frame.
    if (frame.width <= 0 || frame.height <= 0 || !realized_) return;
    const PixelRect whole{0, 0, frame.width, frame.height};
    std::span<const PixelRect> changed = stage_.ChangedRects();
    if (!ImageFits(frame)) {
        if (!MakeImage(frame)) return;
        changed = std::span<const PixelRect>(&whole, 1);
    }
    if (changed.empty()) return;

    // The list keeps its room from tick to tick: no allocation once warm.
    rects_.clear();
    if (image_) cairo_surface_flush(image_);
    for (const PixelRect& rect : changed) {
        const PixelRect part = Intersect(rect, whole);
        if (part.Empty()) continue;
        ScaleNearestInto(frame, part, scale_, pixels_, stride_);
        rects_.push_back(part);
    }
    if (rects_.empty()) return;
    if (blit_) {
        for (PixelRect& rect : rects_) rect = Scaled(rect, scale_);
        Put(rects_);
        return;
    }
    for (const PixelRect& rect : rects_) {
        const PixelRect device = Scaled(rect, scale_);
        cairo_surface_mark_dirty_rectangle(image_, device.x, device.y, device.w, device.h);
    }
    if (wayland_) {
        // On a Wayland surface that GTK has shown once, straight onto it;
        // the area is the whole surface.
        if (shown_ && placeX_ == 0 && placeY_ == 0) {
            deviceRects_.clear();
            for (const PixelRect& rect : rects_) deviceRects_.push_back(Scaled(rect, scale_));
            if (wayland_->Put(pixels_, stride_, cairo_image_surface_get_width(image_),
                              cairo_image_surface_get_height(image_), deviceRects_)) {
                return;
            }
        }
        // GTK's last frame on the surface misses what went straight onto it:
        // its next one is drawn whole.
        gtk_widget_queue_draw(area_);
        return;
    }
    // One redraw of everything that changed, in the area's own pixels.
    cairo_region_t* damage = cairo_region_create();
    for (const PixelRect& rect : rects_) {
        const cairo_rectangle_int_t r{rect.x, rect.y, rect.w, rect.h};
        cairo_region_union_rectangle(damage, &r);
    }
    gtk_widget_queue_draw_region(area_, damage);
    cairo_region_destroy(damage);
}

// Straight into the window, at the area's place in it.
void GtkCanvas::Put(std::span<const PixelRect> rects) { blit_->Put(rects, placeX_ * scale_, placeY_ * scale_); }

bool GtkCanvas::ImageFits(const Bitmap& frame) const
{
    return pixels_ && imageFrameWidth_ == frame.width && imageFrameHeight_ == frame.height;
}

// An image that could not be made (no memory) leaves the window showing
// nothing for a while; the next refresh or draw tries again.
bool GtkCanvas::MakeImage(const Bitmap& frame)
{
    DropImage();
    const int width = frame.width * scale_;
    const int height = frame.height * scale_;
    if (blit_ && !blit_->Resize(width, height)) UseBlit(nullptr);
    if (blit_) {
        pixels_ = blit_->Pixels();
        stride_ = blit_->Stride();
    } else {
        image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        if (cairo_surface_status(image_) != CAIRO_STATUS_SUCCESS) {
            DropImage();
            return false;
        }
        // Drawn on a context of the same scale, one image pixel is one
        // device pixel: nothing is interpolated.
        cairo_surface_set_device_scale(image_, scale_, scale_);
        pixels_ = cairo_image_surface_get_data(image_);
        stride_ = cairo_image_surface_get_stride(image_);
    }
    ScaleNearestInto(frame, PixelRect{0, 0, frame.width, frame.height}, scale_, pixels_, stride_);
    if (image_) cairo_surface_mark_dirty(image_);
    imageFrameWidth_ = frame.width;
    imageFrameHeight_ = frame.height;
    return true;
}

void GtkCanvas::DropImage()
{
    if (image_) cairo_surface_destroy(image_);
    image_ = nullptr;
    pixels_ = nullptr;
    stride_ = 0;
}

// With a blit the window is never painted by GTK: it would paint through its
// own connection to the server, in an order with the blit's puts that
// nothing fixes, so an expose could land after a newer tick and leave old
// pixels on the screen. GTK then draws straight onto the window, where the
// draw handler only asks for a put.
void GtkCanvas::UseBlit(std::unique_ptr<X11Blit> blit)
{
    DropImage();
    blit_ = std::move(blit);
    GtkWidget* window = gtk_widget_get_toplevel(area_);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (gtk_widget_is_toplevel(window)) gtk_widget_set_double_buffered(window, blit_ == nullptr);
    G_GNUC_END_IGNORE_DEPRECATIONS
}

// GTK draws the area when the window is mapped, exposed, resized or
// rescaled: from the image, made anew from the last frame if need be. No
// scene code runs here.
gboolean GtkCanvas::OnDraw(GtkWidget*, cairo_t* cr, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    const Bitmap& frame = canvas->stage_.Frame();
    if (frame.width <= 0 || frame.height <= 0) return TRUE;
    if (!canvas->ImageFits(frame) && !canvas->MakeImage(frame)) return TRUE;
    GdkRectangle clip;
    if (!gdk_cairo_get_clip_rectangle(cr, &clip)) return TRUE;
    if (canvas->blit_) {
        const PixelRect device = Scaled(PixelRect{clip.x, clip.y, clip.width, clip.height}, canvas->scale_);
        canvas->Put(std::span<const PixelRect>(&device, 1));
        return TRUE;
    }
    cairo_set_source_surface(cr, canvas->image_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    canvas->shown_ = true;
    return TRUE;
}

void GtkCanvas::OnRealize(GtkWidget* widget, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    canvas->realized_ = true;
    canvas->scale_ = gtk_widget_get_scale_factor(widget);
    std::unique_ptr<X11Blit> blit;
    // The pixels go into the top-level window, GDK's only X window or
    // Wayland surface here.
    GdkWindow* window = gdk_window_get_toplevel(gtk_widget_get_window(widget));
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window) && TakesWords(gdk_window_get_visual(window))) {
        blit = std::make_unique<X11Blit>(gdk_display_get_name(gdk_window_get_display(window)),
                                         static_cast<xcb_window_t>(GDK_WINDOW_XID(window)));
        if (!blit->Usable()) blit.reset();
    }
#endif
    canvas->UseBlit(std::move(blit));
    canvas->shown_ = false;
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_WINDOW(window)) {
        canvas->wayland_ = std::make_unique<WaylandBlit>(
            gdk_wayland_display_get_wl_display(gdk_window_get_display(window)),
            gdk_wayland_window_get_wl_surface(window));
        if (!canvas->wayland_->Usable()) canvas->wayland_.reset();
    }
#endif
}

void GtkCanvas::OnUnrealize(GtkWidget*, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    canvas->realized_ = false;
    canvas->UseBlit(nullptr);
    canvas->wayland_.reset();
}

// The area's place in the window, kept for the puts of every tick.
void GtkCanvas::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    canvas->placeX_ = allocation->x;
    canvas->placeY_ = allocation->y;
}

// A new scale (the window moved to another monitor, or the desktop's scale
// changed) redraws the whole strip at once with blocks of the new size.
void GtkCanvas::OnScaleFactor(GObject*, GParamSpec*, gpointer self)
{
    auto* canvas = static_cast<GtkCanvas*>(self);
    const int scale = gtk_widget_get_scale_factor(canvas->area_);
    if (scale == canvas->scale_) return;
    canvas->scale_ = scale;
    canvas->DropImage();
    gtk_widget_queue_draw(canvas->area_);
}

}  // namespace seastrip
