#pragma once

#include <xcb/xcb.h>
#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "front/gtk/gtk_frame_output.h"

namespace seastrip {

// Puts the strip's pixels straight into its X11 window, from the tick
// itself: an image of the window's size in device pixels, held in memory
// shared with the X server where it offers that, of which the presenter
// writes the rectangles that changed and this sends just those. There is no toolkit
// paint cycle and no extra wakeup: a wave tick costs the rows it changes.
//
// It talks to the server over a connection of its own, which only ever
// carries puts. A put into a window that another program has just
// destroyed is answered with an error; here nobody reads it, where on the
// toolkit's connection it would end the program unless every put were
// fenced in by an error trap, which costs more than the put and a round trip
// now and then besides.
//
// The image always holds the newest pixels. Should the server read a
// rectangle after the presenter has written the next tick into it, it
// shows those newer pixels, which the next tick's put sends anyway.
//
// GTK never paints a window shown this way: it would paint through its own
// connection, in an order with these puts that nothing fixes, so an expose
// could land after a newer tick and leave old pixels on the screen. GTK's
// draw of the area only asks for a put here.
class X11Output final : public GtkFrameOutput {
public:
    // For a window of depth 24 on a true-colour visual with 8 bits a channel,
    // red highest (the caller checks the visual), on the named display.
    X11Output(const char* displayName, xcb_window_t window);
    ~X11Output() override;
    X11Output(const X11Output&) = delete;
    X11Output& operator=(const X11Output&) = delete;

    // Whether the window's pixels can be written here: the server answered,
    // and its images hold a pixel in one 32-bit word in this machine's byte
    // order, the layout cairo's RGB24 images share. Otherwise the area
    // draws another way.
    bool Usable() const override { return usable_; }
    bool GtkPaints() const override { return false; }

    // A new image's pixels are zero; one that cannot be made leaves the
    // output unusable.
    bool Resize(int width, int height) override;
    uint8_t* Pixels() override { return pixels_; }
    ptrdiff_t Stride() const override { return static_cast<ptrdiff_t>(width_) * 4; }
    void Show(std::span<const PixelRect> rects) override;
    void Draw(cairo_t* cr, const GdkRectangle& clip) override;

private:
    // Sends rectangles of the image (device pixels, cut to the image) to the
    // window at the area's place in it, and flushes them out in one write.
    void Put(std::span<const PixelRect> rects);
    bool MakeSharedImage(size_t bytes);
    void PutPlain(const PixelRect& part, int dx, int dy);
    void DropImage();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_;
    xcb_gcontext_t gc_ = 0;
    bool usable_ = false;
    bool shmAvailable_ = false;
    size_t maxRequestBytes_ = 0;
    int width_ = 0;
    int height_ = 0;
    uint8_t* pixels_ = nullptr;
    xcb_shm_seg_t segment_ = 0;  // the image's segment as the server knows it
    std::vector<uint8_t> plain_;  // the image, where memory is not shared
    std::vector<uint8_t> rows_;   // a rectangle's rows, packed for a plain put
};

}  // namespace seastrip
