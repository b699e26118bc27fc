#pragma once

#include <gtk/gtk.h>

#include "front/common/strip_element.h"
#include "front/gtk/gtk_canvas.h"
#include "platform/element.h"
#include "shell/strip_window.h"

namespace seastrip {

class Stage;

// What the strip window hears that concerns the whole program rather than
// its picture. Each arrives on the user-interface thread.
class StripWindowEvents {
public:
    // A press on the strip's own surface (not on a shown element).
    virtual void StripPressed(MouseButton button) = 0;
    // A request to close the window, from the window manager or from another
    // program destroying it.
    virtual void CloseRequested() = 0;
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

protected:
    ~StripWindowEvents() = default;
};

// The strip window: an undecorated top-level window that shows the stage's
// frame as one image, never takes the keyboard, and hands presses on the
// strip's own surface and the desktop's requests to close it to its owner.
class GtkStripWindow final : public StripHost {
public:
    // Created hidden for the stage it shows, its left edge at the given
    // screen pixel. On a Wayland compositor with layer-shell it becomes a
    // layer surface on the given monitor (null: the compositor's choice).
    GtkStripWindow(Stage& stage, int left, GdkMonitor* layerMonitor, StripWindowEvents& events);
    ~GtkStripWindow();
    GtkStripWindow(const GtkStripWindow&) = delete;
    GtkStripWindow& operator=(const GtkStripWindow&) = delete;

    GtkWindow* Window() const { return GTK_WINDOW(window_); }
    // The strip on the screen, in pixels.
    GdkRectangle ScreenRect() const { return rect_; }

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
    void Close();

    Stage& stage_;
    int left_;
    bool layer_ = false;
    GtkWidget* window_ = nullptr;
    GtkCanvas canvas_;
    GdkRectangle rect_{0, 0, 0, 0};
    StripWindowEvents& events_;
    bool ignoring_ = false;
};

// The keyboard focus as it stands when this is made, given back when it is
// destroyed: the menu and the version dialog take it while they are open,
// and afterwards the window the user was working in has it again. Nothing
// on a desktop that does not let one program hand focus to another.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    unsigned long window_ = 0;  // the X window that had the focus, or none
    bool viaWindowManager_ = false;
};

// Gives a window the user has just asked for the keyboard, even when
// another program's window has it.
void Activate(GtkWindow* window);

// The time of the user's last press or key on the program's windows, for a
// window the user has just asked for, so the window manager lets it take the
// focus.
guint32 LastUserTime();

// The program icon as a pixbuf (owned by the caller), or null.
GdkPixbuf* StripIcon();

}  // namespace seastrip
