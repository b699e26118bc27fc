#include "front/gtk/gtk_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

namespace seastrip {
namespace {

// ":0.0" and ":0" are one display: the part after the last colon loses its
// screen number. A slash would name a folder.
std::string DisplayKey(const std::string& displayName)
{
    std::string key = displayName.empty() ? std::string("default") : displayName;
    const size_t colon = key.rfind(':');
    if (colon != std::string::npos) {
        const size_t dot = key.find('.', colon);
        if (dot != std::string::npos) key.erase(dot);
    }
    for (char& c : key) {
        if (c == '/') c = '_';
    }
    return key;
}

}  // namespace

GtkInstance::~GtkInstance()
{
    if (file_ >= 0) close(file_);
}

std::string GtkInstance::LockPath(const std::string& displayName)
{
    const std::string key = DisplayKey(displayName);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return std::string(runtime) + "/seastrip-" + key + ".lock";
    // /tmp is shared by every user: the uid keeps one user's strip from
    // keeping out another's.
    return "/tmp/seastrip-" + std::to_string(getuid()) + "-" + key + ".lock";
}

bool GtkInstance::Claim(const std::string& displayName)
{
    const std::string path = LockPath(displayName);
    file_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file_ < 0) return true;
    while (flock(file_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool taken = errno == EWOULDBLOCK;
        close(file_);
        file_ = -1;
        return !taken;
    }
    return true;
}

std::string SessionName(GdkDisplay* display)
{
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_DISPLAY(display)) {
        const char* socket = std::getenv("WAYLAND_DISPLAY");
        return socket && socket[0] ? socket : "wayland-0";
    }
#endif
    const char* name = gdk_display_get_name(display);
    return name ? name : "";
}

}  // namespace seastrip
