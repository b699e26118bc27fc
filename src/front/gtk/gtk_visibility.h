#pragma once

#include <gtk/gtk.h>

#include <functional>

struct xcb_connection_t;
struct wl_callback;
struct wl_surface;

namespace seastrip {

// Tells whether anybody can see the strip, from what the desktop says when
// it changes; it never asks on a timer. On X11: the screen saver running,
// the display powered down, and the active window full-screen over the
// strip. On Wayland: the compositor's frame callbacks, which it sends only
// for a surface it shows, so an output switched off or a full-screen window
// over the strip's layer leaves them unanswered. On every desktop with a
// system bus: the session locked. The strip
// counts as seen unless one of them says otherwise, so a desktop that says
// nothing leaves the strip running as before.
//
// It watches the X server on a connection of its own, which sends requests
// only when an event has come, and the bus through GIO.
class GtkVisibility {
public:
    GtkVisibility() = default;
    ~GtkVisibility();
    GtkVisibility(const GtkVisibility&) = delete;
    GtkVisibility& operator=(const GtkVisibility&) = delete;

    // Starts watching for the strip's window; `changed` is told every change
    // between seen and unseen.
    void Start(GdkDisplay* display, GtkWindow* strip, std::function<void(bool seen)> changed);
    void Stop();
    bool Seen() const { return !saver_ && !powerOff_ && !covered_ && !locked_ && !unshown_; }
    // The strip moved or was shown: whether a full-screen window covers it
    // is asked again.
    void StripMoved();
    // After each tick while seen: on Wayland, a frame callback left
    // unanswered too long means the compositor no longer shows the strip.
    void Ticked();

private:
    // X11.
    bool ConnectX(GdkDisplay* display);
    void DisconnectX();
    static gboolean OnXEvents(gint fd, GIOCondition condition, gpointer self);
    void HandleXEvents();
    void FollowActiveWindow();
    bool ActiveCoversStrip();
    void SelectDpmsEvents();
    // logind.
    void WatchSession();
    static void OnSystemBus(GObject* source, GAsyncResult* result, gpointer self);
    static void OnSessionPath(GObject* source, GAsyncResult* result, gpointer self);
    static void OnLockedHint(GObject* source, GAsyncResult* result, gpointer self);
    static void OnSessionChanged(GDBusConnection* bus, const gchar* sender, const gchar* path, const gchar* interface,
                                 const gchar* signal, GVariant* parameters, gpointer self);
    void AskLockedHint();

    // Wayland.
    wl_surface* StripSurface() const;
    void AskForFrame();
    void DropFrame();
    static void OnFrameDone(void* self, wl_callback* callback, uint32_t time);
    static void OnMap(GtkWidget* widget, gpointer self);

    void Update();

    GtkWindow* strip_ = nullptr;
    std::function<void(bool)> changed_;
    bool reported_ = true;  // what `changed` was last told

    xcb_connection_t* x_ = nullptr;
    guint xSource_ = 0;
    unsigned root_ = 0;
    unsigned active_ = 0;  // the active window we follow, or 0
    unsigned stripWindow_ = 0;  // the strip's X window, once its changes are followed
    unsigned atomActive_ = 0, atomState_ = 0, atomFullscreen_ = 0, atomHidden_ = 0;
    int saverEvent_ = -1;    // the screen saver's notify event code, or -1
    int dpmsOpcode_ = -1;    // the power extension's request code where it reports changes, or -1
    bool saver_ = false;
    bool powerOff_ = false;
    bool covered_ = false;

    bool wayland_ = false;
    wl_callback* frame_ = nullptr;  // asked for, not yet answered
    gint64 frameAskedUs_ = 0;
    gint64 frameDoneUs_ = 0;
    bool unshown_ = false;
    gulong mapHandler_ = 0;

    GCancellable* cancel_ = nullptr;
    GDBusConnection* bus_ = nullptr;
    gchar* sessionPath_ = nullptr;
    guint subscription_ = 0;
    bool locked_ = false;
};

}  // namespace seastrip
