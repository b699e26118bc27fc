#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "front/common/frame_output.h"
#include "front/gtk/gtk_frame_output.h"

namespace seastrip {

class Stage;

// The strip's drawing: a drawing area that shows the stage's frame, every
// frame pixel a crisp block of the window's whole scale factor. A tick runs
// compose -> scale -> show through one output, which keeps the frame at
// device size as an image of its own, so that an uncovered window repaints
// from the last frame without running any scene code.
//
// Where the window is an X11 window (an X11 session, or Xwayland) the
// output puts what changed straight into the window and GTK paints nothing
// there; on a Wayland surface it commits buffers of its own once GTK has
// shown the surface; elsewhere GTK paints the image.
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
    // Shows the frame through the output (null: none, the window is gone).
    void Use(std::unique_ptr<GtkFrameOutput> output);
    // The output for the realized window: the fastest its display offers.
    std::unique_ptr<GtkFrameOutput> MakeOutput() const;
    // After an output failed: when it can no longer be used, GTK's paint
    // takes over. True when there is a new output to try.
    bool FallBack();
    // Tells the output the area's scale and place in its window.
    void PlaceOutput(int x, int y);

    GtkWidget* area_ = nullptr;  // a reference of our own
    FramePresenter presenter_;
    std::unique_ptr<GtkFrameOutput> output_;  // while the window exists
};

}  // namespace seastrip
