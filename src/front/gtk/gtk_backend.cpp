// Choosing the display system before GTK opens a display.
#include "front/gtk/gtk_backend.h"

#include <gdk/gdk.h>
#include <wayland-client.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace seastrip {
namespace {

bool IsSet(const char* value) { return value != nullptr && value[0] != '\0'; }

// An option's value, given as "--name value" or "--name=value". Moves past a
// separate value; null when the option is not this one.
const char* OptionValue(const char* name, int argc, char** argv, int& i, bool& missing)
{
    const size_t length = std::strlen(name);
    const char* arg = argv[i];
    if (std::strncmp(arg, name, length) != 0) return nullptr;
    if (arg[length] == '=') return arg + length + 1;
    if (arg[length] != '\0') return nullptr;
    if (i + 1 >= argc) {
        missing = true;
        return "";
    }
    return argv[++i];
}

// A number counts monitors from 0; a connector name starts with a letter
// (HDMI-1, DP-2, eDP-1), which keeps "-1" and "2x" from passing as names.
void SetMonitor(const char* text, CommandLine& options)
{
    options.monitor = MonitorChoice{};
    if (std::isalpha(static_cast<unsigned char>(text[0]))) {
        options.monitor.name = text;
        return;
    }
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (!std::isdigit(static_cast<unsigned char>(text[0])) || *end != '\0' || errno != 0 || number > 255) {
        options.error = std::string("--monitor takes a monitor number from 0 or a connector name, not '") + text +
                        "'";
        return;
    }
    options.monitor.number = static_cast<int>(number);
}

void SetBackend(const char* text, CommandLine& options)
{
    if (std::strcmp(text, "x11") == 0) {
        options.backend = Backend::X11;
    } else if (std::strcmp(text, "wayland") == 0) {
        options.backend = Backend::Wayland;
    } else {
        options.error = std::string("--backend takes x11 or wayland, not '") + text + "'";
    }
}

void OnGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) *static_cast<bool*>(data) = true;
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

}  // namespace

CommandLine TakeCommandLine(int& argc, char** argv)
{
    CommandLine options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool missing = false;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(arg, "--reserve") == 0) {
            options.reserve = true;
        } else if (const char* value = OptionValue("--backend", argc, argv, i, missing)) {
            if (missing) options.error = "--backend needs x11 or wayland";
            else SetBackend(value, options);
        } else if (const char* number = OptionValue("--monitor", argc, argv, i, missing)) {
            if (missing) options.error = "--monitor needs a monitor number or name";
            else SetMonitor(number, options);
        } else {
            argv[kept++] = argv[i];
        }
        if (!options.error.empty()) break;
    }
    if (options.error.empty()) {
        argc = kept;
        argv[argc] = nullptr;
    }
    return options;
}

std::string UsageText()
{
    return "usage: seastrip [--backend x11|wayland] [--monitor N|NAME] [--reserve]\n"
           "A seaside strip along the bottom of the screen; right-click it for its menu.\n"
           "\n"
           "  --backend x11|wayland  the display system to use; by default GDK_BACKEND\n"
           "                         chooses, else Wayland where the compositor offers\n"
           "                         layer-shell surfaces, and X11 (Xwayland) elsewhere\n"
           "  --monitor N|NAME       the monitor to sit on: counted from 0, or by its\n"
           "                         connector name (such as HDMI-1); while it is not\n"
           "                         connected, the primary one (on Wayland, the\n"
           "                         compositor's choice), and back when it returns\n"
           "  --reserve              keep the strip's row free of windows, as a panel's\n"
           "                         (also Reserve=ON under [Data] in the settings file)\n"
           "  -h, --help             this text\n"
           "GTK's own options, such as --display, are honoured too.\n";
}

Backend ChooseBackend(Backend requested, const char* gdkBackendEnv, const char* waylandDisplayEnv,
                      const char* displayEnv, const std::function<bool()>& offersLayerShell)
{
    if (requested != Backend::Automatic) return requested;
    if (IsSet(gdkBackendEnv)) return Backend::Automatic;
    if (!IsSet(waylandDisplayEnv)) return Backend::Automatic;
    if (offersLayerShell()) return Backend::Wayland;
    // Without an X display to go to, a plain Wayland window beats none.
    return IsSet(displayEnv) ? Backend::X11 : Backend::Automatic;
}

bool CompositorOffersLayerShell()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return false;
    bool offered = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &offered);
    // One round trip delivers every global the compositor announces.
    if (wl_display_roundtrip(display) < 0) offered = false;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

Backend ApplyBackendChoice(Backend requested)
{
    const Backend chosen = ChooseBackend(requested, std::getenv("GDK_BACKEND"), std::getenv("WAYLAND_DISPLAY"),
                                         std::getenv("DISPLAY"), CompositorOffersLayerShell);
    if (chosen == Backend::Automatic) return chosen;
    const char* name = BackendName(chosen);
    // GDK only opens a backend that is both allowed and in GDK_BACKEND, so a
    // command-line choice overrides the variable rather than meeting it.
    if (requested != Backend::Automatic) g_setenv("GDK_BACKEND", name, TRUE);
    gdk_set_allowed_backends(name);
    return chosen;
}

std::optional<int> PrepareDisplay(int& argc, char** argv, CommandLine& options)
{
    options = TakeCommandLine(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "seastrip: %s (see seastrip --help)\n", options.error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    ApplyBackendChoice(options.backend);
    return std::nullopt;
}

std::optional<int> RefuseLeftoverArguments(int argc, char** argv)
{
    if (argc <= 1) return std::nullopt;
    std::fprintf(stderr, "seastrip: unknown argument '%s' (see seastrip --help)\n", argv[1]);
    return 2;
}

const char* BackendName(Backend backend)
{
    switch (backend) {
    case Backend::X11: return "x11";
    case Backend::Wayland: return "wayland";
    case Backend::Automatic: break;
    }
    return "automatic";
}

}  // namespace seastrip
