#include "front/gtk/gtk_canvas.h"

#include <algorithm>
#include <cstdint>

#include "stage/stage.h"

namespace seastrip {
namespace {

// Copies a rectangle of the RGB frame into the cairo image (xRGB words).
void CopyFrameRect(const Bitmap& frame, cairo_surface_t* image, const PixelRect& rect)
{
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(stride) * y);
        const uint8_t* src = &frame.rgb[(static_cast<size_t>(y) * frame.width + rect.x) * 3];
        for (int x = rect.x; x < rect.x + rect.w; ++x, src += 3) {
            row[x] = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | uint32_t{src[2]};
        }
    }
    cairo_surface_mark_dirty_rectangle(image, rect.x, rect.y, rect.w, rect.h);
}

}  // namespace

GtkCanvas::GtkCanvas(Stage& stage) : stage_(stage)
{
    area_ = gtk_drawing_area_new();
    g_object_ref_sink(area_);
    g_signal_connect(area_, "draw", G_CALLBACK(OnDraw), this);
}

// The window may be gone already; the widget then lives on only through our
// reference, and nothing draws it any more.
GtkCanvas::~GtkCanvas()
{
    g_signal_handlers_disconnect_by_data(area_, this);
    g_object_unref(area_);
    if (image_) cairo_surface_destroy(image_);
}

void GtkCanvas::Refresh()
{
    const Bitmap& frame = stage_.Compose();
    if (frame.width <= 0 || frame.height <= 0) return;
    if (!image_ || cairo_image_surface_get_width(image_) != frame.width ||
        cairo_image_surface_get_height(image_) != frame.height) {
        if (RemakeImage()) gtk_widget_queue_draw(area_);
        return;
    }
    // Only what changed is copied and redrawn: a wave tick is a 3-pixel band.
    for (const PixelRect& rect : stage_.ChangedRects()) {
        const int x0 = std::max(rect.x, 0);
        const int y0 = std::max(rect.y, 0);
        const PixelRect part{x0, y0, std::min(rect.x + rect.w, frame.width) - x0,
                             std::min(rect.y + rect.h, frame.height) - y0};
        if (part.Empty()) continue;
        CopyFrameRect(frame, image_, part);
        gtk_widget_queue_draw_area(area_, part.x, part.y, part.w, part.h);
    }
}

// An image cairo could not make (no memory) is dropped, the window shows
// nothing for a while, and the next refresh tries again with the whole frame.
bool GtkCanvas::RemakeImage()
{
    if (image_) cairo_surface_destroy(image_);
    const Bitmap& frame = stage_.Frame();
    image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height);
    if (cairo_surface_status(image_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image_);
        image_ = nullptr;
        return false;
    }
    CopyFrameRect(frame, image_, PixelRect{0, 0, frame.width, frame.height});
    return true;
}

// The window only shows the image Refresh keeps; no scene code runs here, so
// an uncovered window repaints from the last frame. GTK has already clipped
// the context to the damaged area.
gboolean GtkCanvas::OnDraw(GtkWidget*, cairo_t* cr, gpointer self)
{
    if (cairo_surface_t* image = static_cast<GtkCanvas*>(self)->image_) {
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
    }
    return TRUE;
}

}  // namespace seastrip
