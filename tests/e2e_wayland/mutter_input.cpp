// A user's pointer and keyboard on headless mutter, for the tests: events
// made through the compositor's remote desktop interface go the way a real
// user's go, so the compositor decides where a click puts the focus and
// where keys land. (Synthetic X11 events sent to Xwayland pass the
// compositor by and prove nothing about it.)
//
// Reads one command a line from standard input and answers each with
// "done" or "failed" on standard output, after "ready" once the session
// runs:
//   move X Y     the pointer to X, Y on the screen
//   click N      a press and release of button N (1 left, 2 middle, 3 right)
//   type WORD    each character's key, pressed and released
// The session lasts as long as the program: the compositor ends it when its
// client goes.
#include <gio/gio.h>

#include <cstdio>
#include <string>

namespace {

GDBusConnection* bus = nullptr;
std::string session;

bool Call(const char* method, GVariant* args)
{
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(bus, "org.gnome.Mutter.RemoteDesktop", session.c_str(),
                                                  "org.gnome.Mutter.RemoteDesktop.Session", method, args, nullptr,
                                                  G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
    if (!reply) {
        std::fprintf(stderr, "mutter_input: %s: %s\n", method, error->message);
        g_error_free(error);
        return false;
    }
    g_variant_unref(reply);
    return true;
}

bool Key(unsigned keysym)
{
    return Call("NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, TRUE)) &&
           Call("NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, FALSE));
}

// Without an absolute position (which needs a screen cast stream), the
// pointer is pushed into the top left corner first and moved from there.
bool Move(double x, double y)
{
    return Call("NotifyPointerMotionRelative", g_variant_new("(dd)", -100000.0, -100000.0)) &&
           Call("NotifyPointerMotionRelative", g_variant_new("(dd)", x, y));
}

bool Click(int button)
{
    constexpr int kLeftButton = 0x110;  // the kernel's BTN_LEFT; BTN_RIGHT and BTN_MIDDLE follow
    const int code = kLeftButton + (button == 2 ? 2 : button == 3 ? 1 : 0);
    return Call("NotifyPointerButton", g_variant_new("(ib)", code, TRUE)) &&
           Call("NotifyPointerButton", g_variant_new("(ib)", code, FALSE));
}

}  // namespace

int main()
{
    GError* error = nullptr;
    bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        std::fprintf(stderr, "mutter_input: no session bus: %s\n", error->message);
        return 1;
    }
    GVariant* reply = g_dbus_connection_call_sync(bus, "org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                                                  "org.gnome.Mutter.RemoteDesktop", "CreateSession", nullptr,
                                                  G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
    if (!reply) {
        std::fprintf(stderr, "mutter_input: no remote desktop session: %s\n", error->message);
        return 1;
    }
    const char* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    session = path;
    g_variant_unref(reply);
    // Xwayland takes the first key of a new keyboard to learn its keymap and
    // drops it; a Shift press spends that.
    constexpr unsigned kShift = 0xffe1;
    if (!Call("Start", nullptr) || !Key(kShift)) return 1;
    std::puts("ready");
    std::fflush(stdout);

    char line[256];
    while (std::fgets(line, sizeof line, stdin)) {
        double x = 0, y = 0;
        int button = 0;
        char word[128];
        bool ok = false;
        if (std::sscanf(line, "move %lf %lf", &x, &y) == 2) {
            ok = Move(x, y);
        } else if (std::sscanf(line, "click %d", &button) == 1) {
            ok = Click(button);
        } else if (std::sscanf(line, "type %127s", word) == 1) {
            ok = true;
            for (const char* c = word; *c && ok; ++c) ok = Key(static_cast<unsigned char>(*c));
        }
        std::puts(ok ? "done" : "failed");
        std::fflush(stdout);
    }
    return 0;
}
