// Choosing the display system before GTK opens a display.
#include "front/gtk/gtk_backend.h"

#include <gdk/gdk.h>
#include <wayland-client.h>

#include <cstdlib>
#include <cstring>

namespace seastrip {
namespace {

bool IsSet(const char* value) { return value != nullptr && value[0] != '\0'; }

void OnGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) *static_cast<bool*>(data) = true;
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

}  // namespace

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

std::string NoDisplayMessage(Backend chosen, const char* gdkBackendEnv)
{
    if (chosen == Backend::Automatic && IsSet(gdkBackendEnv)) {
        if (std::strcmp(gdkBackendEnv, "wayland") == 0) chosen = Backend::Wayland;
        if (std::strcmp(gdkBackendEnv, "x11") == 0) chosen = Backend::X11;
    }
    const char* variable = chosen == Backend::Wayland ? "WAYLAND_DISPLAY"
                           : chosen == Backend::X11   ? "DISPLAY"
                                                      : "DISPLAY or WAYLAND_DISPLAY";
    return std::string("cannot open the display (is ") + variable + " set?)";
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
