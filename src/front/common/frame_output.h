#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "stage/pixel_rect.h"

namespace seastrip {

class Stage;

// Where the strip's frame is shown: an X11 window, a Wayland surface, a cairo
// image painted by GTK, a Win32 device-independent bitmap. Each owns its
// pixels the same way: an image at device size, 32-bit words 0x00RRGGBB in
// the machine's byte order, that the presenter writes the changed blocks into
// and the output then shows.
class FrameOutput {
public:
    virtual ~FrameOutput() = default;
    // Makes the image width x height device pixels, keeping it (and what it
    // holds) when it already is that size; false when it cannot be made.
    virtual bool Resize(int width, int height) = 0;
    virtual uint8_t* Pixels() = 0;
    virtual ptrdiff_t Stride() const = 0;
    // Shows rectangles of the image (device pixels, inside it) on the screen.
    virtual void Show(std::span<const PixelRect> rects) = 0;
};

// Compose, scale, show: runs the stage's changes through to an output, every
// frame pixel a crisp block of the output's whole scale factor. A new output,
// scale or frame size is shown whole; a refresh with nothing changed shows
// nothing and asks the output for nothing.
class FramePresenter {
public:
    explicit FramePresenter(Stage& stage) : stage_(stage) {}

    // The output to show on, or null for none (nothing is composed for it).
    void SetOutput(FrameOutput* output);
    FrameOutput* Output() const { return output_; }
    void SetScale(int scale);
    int Scale() const { return scale_; }

    // Composes the stage and shows what changed; false when the output's
    // image could not be made (the next refresh tries again, whole).
    bool Refresh();
    // Fills the output's image from the last frame without composing and
    // without showing, as a first paint or a repaint after the image was
    // lost needs; false when the image could not be made.
    bool Prepare();

private:
    // Makes the output's image fit the frame at the scale, drawn whole.
    bool Fit();

    Stage& stage_;
    FrameOutput* output_ = nullptr;
    int scale_ = 1;
    bool whole_ = true;  // the next refresh shows the whole frame
    int fittedWidth_ = 0;
    int fittedHeight_ = 0;
    std::vector<PixelRect> rects_;  // what a refresh shows; keeps its room
};

}  // namespace seastrip
