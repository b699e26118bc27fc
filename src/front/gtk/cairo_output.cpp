#include "front/gtk/cairo_output.h"

namespace seastrip {

CairoOutput::~CairoOutput() { DropImage(); }

void CairoOutput::DropImage()
{
    if (image_) cairo_surface_destroy(image_);
    image_ = nullptr;
}

// An image that could not be made (no memory) leaves the area showing
// nothing for a while; the next refresh or draw tries again.
bool CairoOutput::Resize(int width, int height)
{
    if (image_ && cairo_image_surface_get_width(image_) == width && cairo_image_surface_get_height(image_) == height) {
        return true;
    }
    DropImage();
    if (width <= 0 || height <= 0) return false;
    image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(image_) != CAIRO_STATUS_SUCCESS) {
        DropImage();
        return false;
    }
    return true;
}

uint8_t* CairoOutput::Pixels()
{
    if (!image_) return nullptr;
    cairo_surface_flush(image_);
    written_ = true;
    return cairo_image_surface_get_data(image_);
}

ptrdiff_t CairoOutput::Stride() const { return image_ ? cairo_image_surface_get_stride(image_) : 0; }

void CairoOutput::MarkWritten()
{
    if (written_ && image_) cairo_surface_mark_dirty(image_);
    written_ = false;
}

// One redraw of everything that changed, in the area's own pixels.
void CairoOutput::Show(std::span<const PixelRect> rects)
{
    MarkWritten();
    cairo_region_t* damage = cairo_region_create();
    for (const PixelRect& rect : rects) {
        const cairo_rectangle_int_t r{rect.x / scale_, rect.y / scale_, rect.w / scale_, rect.h / scale_};
        cairo_region_union_rectangle(damage, &r);
    }
    gtk_widget_queue_draw_region(area_, damage);
    cairo_region_destroy(damage);
}

// Drawn on a context of the same scale, one image pixel is one device
// pixel: nothing is interpolated.
void CairoOutput::Draw(cairo_t* cr, const GdkRectangle&)
{
    if (!image_) return;
    MarkWritten();
    cairo_surface_set_device_scale(image_, scale_, scale_);
    cairo_set_source_surface(cr, image_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
}

}  // namespace seastrip
