#pragma once

#include <gtk/gtk.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "stage/pixel_rect.h"

namespace seastrip {

class Stage;
class WaylandBlit;
class X11Blit;
struct Bitmap;

// The strip's drawing: a drawing area that shows the stage's frame, every
// frame pixel a crisp block of the window's whole scale factor. It keeps the
// frame at device size as an image of its own, so that an uncovered window
// repaints from the last frame without running any scene code.
//
// Where the window is an X11 window (an X11 session, or Xwayland) a tick puts
// what it changed straight into the window, and an expose puts the exposed
// part from the image; GTK paints nothing there. On a Wayland surface the
// tick asks GTK for one redraw of what changed.
class GtkCanvas {
public:
    explicit GtkCanvas(Stage& stage);
    ~GtkCanvas();
    GtkCanvas(const GtkCanvas&) = delete;
    GtkCanvas& operator=(const GtkCanvas&) = delete;

    // The drawing area, for the window to hold and to take presses on.
    GtkWidget* Widget() const { return area_; }

    // Composes the frame and shows what changed. Runs after every tick and
    // command; when nothing changed it draws nothing and asks for nothing.
    void Refresh();

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);
    static void OnUnrealize(GtkWidget* widget, gpointer self);
    static void OnScaleFactor(GObject* widget, GParamSpec* property, gpointer self);
    static void OnSizeAllocate(GtkWidget* widget, GdkRectangle* allocation, gpointer self);
    bool ImageFits(const Bitmap& frame) const;
    // Makes the image for the frame at the scale, with the whole frame in
    // it; false when it could not be made.
    bool MakeImage(const Bitmap& frame);
    void DropImage();
    // Draws through the blit, or through GTK when there is none.
    void UseBlit(std::unique_ptr<X11Blit> blit);
    // Sends rectangles of the image (device pixels) into the window.
    void Put(std::span<const PixelRect> rects);

    Stage& stage_;
    GtkWidget* area_ = nullptr;  // a reference of our own
    bool realized_ = false;      // the window exists
    int scale_ = 1;              // device pixels to a frame pixel
    int placeX_ = 0;             // the area's place in the window, in its own pixels
    int placeY_ = 0;
    std::unique_ptr<X11Blit> blit_;  // where the window is an X11 window
    std::unique_ptr<WaylandBlit> wayland_;  // where it is a Wayland surface
    bool shown_ = false;                    // GTK has drawn the window since it was made
    std::vector<PixelRect> deviceRects_;    // a tick's rectangles for the surface
    // The frame at device size: the blit's image where there is a blit,
    // else cairo's, which the draw handler paints.
    uint8_t* pixels_ = nullptr;
    ptrdiff_t stride_ = 0;
    cairo_surface_t* image_ = nullptr;
    int imageFrameWidth_ = 0;  // the frame size the image was made for
    int imageFrameHeight_ = 0;
    std::vector<PixelRect> rects_;  // what a refresh sends
};

}  // namespace seastrip
