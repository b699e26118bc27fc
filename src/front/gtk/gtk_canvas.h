#pragma once

#include <gtk/gtk.h>

namespace seastrip {

class Stage;

// The strip's drawing: a drawing area that shows the stage's frame. It keeps
// the frame as an image of its own, so that an uncovered window repaints from
// the last frame without running any scene code.
class GtkCanvas {
public:
    explicit GtkCanvas(Stage& stage);
    ~GtkCanvas();
    GtkCanvas(const GtkCanvas&) = delete;
    GtkCanvas& operator=(const GtkCanvas&) = delete;

    // The drawing area, for the window to hold and to take presses on.
    GtkWidget* Widget() const { return area_; }

    // Composes the frame, copies what changed into the image and queues a
    // redraw of those rectangles only. Runs after every tick and command.
    void Refresh();

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    // Makes the image the frame's size and copies the whole frame into it;
    // false when cairo could not make it.
    bool RemakeImage();

    Stage& stage_;
    GtkWidget* area_ = nullptr;         // a reference of our own
    cairo_surface_t* image_ = nullptr;  // the frame as the window shows it
};

}  // namespace seastrip
