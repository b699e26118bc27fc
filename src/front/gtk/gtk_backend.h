#pragma once

// Which display system the strip runs on, settled before GTK opens a display.
//
// On X11 the strip is an ordinary undecorated window placed by hand. On a
// Wayland compositor a client cannot place its own window, so the strip
// runs natively only where the compositor offers the layer-shell protocol
// (a surface anchored to an output's edge); anywhere else on Wayland, such
// as GNOME, it goes through Xwayland, where placing still works.

#include <functional>
#include <string>

#include "front/gtk/gtk_command_line.h"

namespace seastrip {

// The decision itself, free of any display: an explicit --backend wins, then
// a GDK_BACKEND the user set; otherwise, inside a Wayland session, Wayland
// only when the compositor offers layer-shell (the probe is asked only
// then), else X11 through Xwayland when there is an X display to go to.
// Automatic means GTK's own default choice.
Backend ChooseBackend(Backend requested, const char* gdkBackendEnv, const char* waylandDisplayEnv,
                      const char* displayEnv, const std::function<bool()>& offersLayerShell);

// Connects to the Wayland compositor of WAYLAND_DISPLAY and reads its
// registry: true when it offers zwlr_layer_shell_v1. False when no
// compositor answers.
bool CompositorOffersLayerShell();

// Decides from the real environment and restricts GDK to the chosen backend;
// call before gtk_init. Returns the choice.
Backend ApplyBackendChoice(Backend requested);

// The one line saying that no display could be opened, naming the variable
// that points at the display system tried: WAYLAND_DISPLAY for Wayland,
// DISPLAY for X11, both when GTK chose (unless GDK_BACKEND names one).
std::string NoDisplayMessage(Backend chosen, const char* gdkBackendEnv);

const char* BackendName(Backend backend);

}  // namespace seastrip
