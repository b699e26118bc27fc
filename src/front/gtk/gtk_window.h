#pragma once

#include <gtk/gtk.h>

#include <optional>

#include "front/common/strip_element.h"
#include "front/common/work_area.h"
#include "front/gtk/gtk_canvas.h"
#include "platform/element.h"
#include "shell/strip_window.h"

namespace seastrip {

class Stage;

// What the GTK strip window hears besides presses and close requests (from
// the window manager, or another program destroying the window).
class GtkStripWindowEvents : public StripWindowEvents {
public:
    // As a layer surface: the width the compositor gives it, at first and
    // at every change.
    virtual void LayerWidthGiven(int width) = 0;
    // As a layer surface: the compositor took it away, as it does when the
    // surface's output goes.
    virtual void LayerWithdrawn() = 0;
    // The window's scale factor changed: GDK has already given it the
    // device size of its old logical size, so the strip must be laid out
    // again.
    virtual void Rescaled() = 0;
    // The window manager gave the strip a size other than the one asked for,
    // twice, as a tiler does with a floating window: it wants another kind of
    // window.
    virtual void SizeRefused() = 0;

protected:
    ~GtkStripWindowEvents() = default;
};

// The strip window: an undecorated top-level window that shows the stage's
// frame as one image, never takes the keyboard, and hands presses on the
// strip's own surface and the desktop's requests to close it to its owner.
class GtkStripWindow final : public StripHost {
public:
    // Created hidden for the stage it shows, its left edge at the given
    // screen pixel. On a Wayland compositor with layer-shell it becomes a
    // layer surface on the given monitor (null: the compositor's choice).
    GtkStripWindow(Stage& stage, int left, GdkMonitor* layerMonitor, GtkStripWindowEvents& events);
    ~GtkStripWindow();
    GtkStripWindow(const GtkStripWindow&) = delete;
    GtkStripWindow& operator=(const GtkStripWindow&) = delete;

    GtkWindow* Window() const { return GTK_WINDOW(window_); }
    // The strip on the screen, in pixels, where the window manager put it
    // (which may not be where it was asked to go); until it has, where the
    // strip asked to go.
    GdkRectangle ScreenRect() const { return given_.width > 0 ? given_ : rect_; }

    // Keeps a row of the screen for the strip, as a panel does: it becomes a
    // dock, which window managers keep in view and never focus and tilers
    // give a row of their own, and reserves the edge under it. Before or
    // after it is shown; a shown window is mapped again as a dock.
    void Reserve();
    bool Reserving() const { return reserving_; }
    // The band the strip reserves, while it does.
    std::optional<seastrip::ScreenRect> ReservedBand() const;
    // Takes the band back until the strip is next placed, which reserves it
    // anew.
    void WithdrawBand();

    // From now on presses, close requests, withdrawals and new scales reach
    // nobody.
    void IgnoreInput() { ignoring_ = true; }

    // Moves and sizes the window to the strip element's geometry, whose
    // left edge counts from the given left; a layer surface only takes the
    // height, the compositor placing it.
    void Place(const Element& strip) override;
    void SetLeft(int left) { left_ = left; }
    bool IsLayer() const { return layer_; }
    // Puts the layer surface on another monitor (null: the compositor's
    // choice), or back on its monitor after the compositor took it away.
    void PutLayerOn(GdkMonitor* monitor);
    void Show(bool visible) override;
    // Shows what the last tick or command changed; drawing itself never runs
    // scene code.
    void Refresh();

private:
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void OnScaleFactor(GObject* widget, GParamSpec* property, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);
    static GdkFilterReturn OnWindowEvent(GdkXEvent* xevent, GdkEvent* event, gpointer self);
    static void OnWidth(int width, void* self);
    static gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
    static gboolean CheckGiven(gpointer self);
    static gboolean MapAgain(gpointer self);
    void Close();
    void WriteStrut();

    Stage& stage_;
    int left_;
    bool layer_ = false;
    GtkWidget* window_ = nullptr;
    GtkCanvas canvas_;
    GdkRectangle rect_{0, 0, 0, 0};   // where the strip asked to be
    GdkRectangle given_{0, 0, 0, 0};  // where the window manager put it
    std::optional<seastrip::ScreenRect> band_;  // the reserved band as last written
    bool reserving_ = false;
    guint checking_ = 0;  // the pending look at the given place, or 0
    int corrections_ = 0; // moves made since the last Place to undo a clamp
    int refusals_ = 0;    // sizes the window manager refused in a row
    GtkStripWindowEvents& events_;
    bool ignoring_ = false;
};

// The program icon as a pixbuf (owned by the caller), or null.
GdkPixbuf* StripIcon();

}  // namespace seastrip
