#pragma once

#include <gtk/gtk.h>

#include "front/common/frame_output.h"

namespace seastrip {

// A way for the strip's drawing area to show its frame: besides showing a
// tick's rectangles, each answers GTK's own request to draw a part of the
// area (a map, an expose, a resize) from the image it keeps.
class GtkFrameOutput : public FrameOutput {
public:
    // The area's scale factor and its place in its window, in its own
    // (logical) pixels; the image is the area at that scale.
    void Place(int scale, int x, int y)
    {
        scale_ = scale;
        x_ = x;
        y_ = y;
    }
    // Draws the clip (area pixels) of the image that the presenter has
    // brought up to date.
    virtual void Draw(cairo_t* cr, const GdkRectangle& clip) = 0;
    // False once the output cannot show anything any more; the area then
    // shows its frame through GTK's paint.
    virtual bool Usable() const { return true; }
    // Whether GTK paints the window at all; an output that writes into the
    // window itself keeps GTK from painting over it.
    virtual bool GtkPaints() const { return true; }

protected:
    int scale_ = 1;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace seastrip
