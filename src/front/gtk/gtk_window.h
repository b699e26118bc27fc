#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "front/gtk/gtk_monitor.h"
#include "platform/element.h"
#include "shell/strip_window.h"

namespace seastrip {

class Stage;

// The strip is drawn at 15 twips to the pixel, whatever the screen's
// resolution: one pixel of its pictures is one pixel on the screen.
constexpr float kStripTwipsPerPixel = 15.0f;

// The strip window: an undecorated top-level window that shows the stage's
// frame as one image, never takes the keyboard, and hands presses on the
// strip's own surface to its owner.
class GtkStripWindow {
public:
    // Created hidden, on the given monitor, for the stage it shows.
    GtkStripWindow(Stage& stage, const MonitorArea& area);
    ~GtkStripWindow();
    GtkStripWindow(const GtkStripWindow&) = delete;
    GtkStripWindow& operator=(const GtkStripWindow&) = delete;

    GtkWindow* Window() const { return GTK_WINDOW(window_); }
    // The strip on the screen, in pixels.
    GdkRectangle ScreenRect() const { return rect_; }

    // A press on the strip's own surface (a press on a visible element does
    // nothing).
    void OnPress(std::function<void(MouseButton)> handler) { press_ = std::move(handler); }

    // Moves and sizes the window to the strip element's geometry.
    void Place(const Element& strip);
    void Show(bool visible);
    // Composes the frame, copies what changed into the window's image and
    // queues a redraw of those rectangles only. Runs after every tick and
    // command; drawing itself never runs scene code.
    void Refresh();

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    // Makes the image the frame's size and copies the whole frame into it;
    // false when cairo could not make it.
    bool RemakeImage();

    Stage& stage_;
    int monitorLeft_;
    GtkWidget* window_ = nullptr;
    GtkWidget* canvas_ = nullptr;
    cairo_surface_t* image_ = nullptr;  // the frame as the window shows it
    GdkRectangle rect_{0, 0, 0, 0};
    std::function<void(MouseButton)> press_;
};

// The program icon as a pixbuf (owned by the caller), or null.
GdkPixbuf* StripIcon();

}  // namespace seastrip
