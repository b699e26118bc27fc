#pragma once

#include "front/gtk/gtk_frame_output.h"

namespace seastrip {

// The frame through GTK's own paint: the image is a cairo image that the
// draw handler paints, and a tick asks GTK for one redraw of what it
// changed. The way on any display, and the one left when a faster way
// fails.
class CairoOutput final : public GtkFrameOutput {
public:
    explicit CairoOutput(GtkWidget* area) : area_(area) {}
    ~CairoOutput() override;
    CairoOutput(const CairoOutput&) = delete;
    CairoOutput& operator=(const CairoOutput&) = delete;

    bool Resize(int width, int height) override;
    uint8_t* Pixels() override;
    ptrdiff_t Stride() const override;
    void Show(std::span<const PixelRect> rects) override;
    void Draw(cairo_t* cr, const GdkRectangle& clip) override;

    // The image as it stands, for reading (null and 0 x 0 when there is none).
    const uint8_t* Image() const { return image_ ? cairo_image_surface_get_data(image_) : nullptr; }
    int Width() const { return image_ ? cairo_image_surface_get_width(image_) : 0; }
    int Height() const { return image_ ? cairo_image_surface_get_height(image_) : 0; }

private:
    void DropImage();
    // Tells cairo that the pixels were written behind its back.
    void MarkWritten();

    GtkWidget* area_;
    cairo_surface_t* image_ = nullptr;
    bool written_ = false;  // pixels handed out since cairo last heard of it
};

}  // namespace seastrip
