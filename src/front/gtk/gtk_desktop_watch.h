#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <vector>

namespace seastrip {

// Watches the desktop under the strip and tells its owner, once a burst of
// changes has settled, that the strip's place may have changed: monitors
// added, removed or resized, a new primary monitor, a new screen size, and
// on X11 a new work area (the window manager's, per monitor or for all) and
// docks whose reserved edges appear, change or go.
class DesktopWatch {
public:
    DesktopWatch() = default;
    ~DesktopWatch();
    DesktopWatch(const DesktopWatch&) = delete;
    DesktopWatch& operator=(const DesktopWatch&) = delete;

    // Starts watching the display; changed runs from the main loop.
    void Start(GdkDisplay* display, std::function<void()> changed);
    // No more calls from now on.
    void Stop();

    // A change seen elsewhere, handled with the others.
    void Notice();
    // A change seen elsewhere that is complete already: handled as soon as
    // the main loop is free, besides once the burst has settled.
    void Soon();

private:
    static void OnSignal(gpointer self);
    static gboolean OnSettled(gpointer self);
    static gboolean OnSoon(gpointer self);
#ifdef GDK_WINDOWING_X11
    static GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent* event, gpointer self);
    void WatchRoot();
    void WatchClients();
#endif

    GdkDisplay* display_ = nullptr;
    std::function<void()> changed_;
    std::vector<std::pair<gpointer, gulong>> handlers_;  // signal handlers to disconnect
    guint settling_ = 0;                                  // the pending call's source, or 0
    guint soon_ = 0;                                      // the pending call's idle source, or 0
    bool filtering_ = false;
};

}  // namespace seastrip
