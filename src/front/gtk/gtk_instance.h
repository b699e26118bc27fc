#pragma once

#include <gtk/gtk.h>

#include <string>

namespace seastrip {

// One strip per desktop session: a lock file keyed by the display, held
// (flock) for as long as the program runs. The lock goes with the process,
// so a copy that crashed or was killed never keeps the next one out.
//
// The file is $XDG_RUNTIME_DIR/seastrip-DISPLAY.lock, or without a runtime
// folder /tmp/seastrip-UID-DISPLAY.lock.
class GtkInstance {
public:
    GtkInstance() = default;
    ~GtkInstance();
    GtkInstance(const GtkInstance&) = delete;
    GtkInstance& operator=(const GtkInstance&) = delete;

    // Takes the display's lock; false only when another copy holds it. A lock
    // file that cannot be made does not keep the strip from running.
    bool Claim(const std::string& displayName);

    // The lock file for a display name as GDK gives it (":0", ":0.0",
    // "wayland-0"); the screen number does not count.
    static std::string LockPath(const std::string& displayName);

private:
    int file_ = -1;
};

// The name a session's lock is keyed on: the X display's, or natively on
// Wayland the compositor's socket (WAYLAND_DISPLAY, else wayland-0, as the
// client library connects).
std::string SessionName(GdkDisplay* display);

}  // namespace seastrip
