#pragma once

// Which display system the strip runs on, settled before GTK opens a display.
//
// On X11 the strip is an ordinary undecorated window placed by hand. On a
// Wayland compositor a client cannot place its own window, so the strip
// runs natively only where the compositor offers the layer-shell protocol
// (a surface anchored to an output's edge); anywhere else on Wayland, such
// as GNOME, it goes through Xwayland, where placing still works.

#include <functional>
#include <optional>
#include <string>

namespace seastrip {

enum class Backend {
    Automatic,  // left to the environment: GDK_BACKEND, else the probe below
    X11,
    Wayland,
};

// The monitor asked for on the command line: a number (0-based, in GDK's
// order of monitors) or a connector name such as HDMI-1; neither, the
// default one.
struct MonitorChoice {
    std::optional<int> number;
    std::string name;
    bool Given() const { return number.has_value() || !name.empty(); }
};

// The program's own options, read before GTK sees the command line.
struct CommandLine {
    Backend backend = Backend::Automatic;
    MonitorChoice monitor;
    bool help = false;
    bool reserve = false;  // keep a row of the screen for the strip, as a panel does
    std::string error;  // a bad option, as one line; empty when all is well
};

// Reads and removes the program's own options from argv, leaving the rest
// (GTK's own, such as --display) for gtk_init.
CommandLine TakeCommandLine(int& argc, char** argv);

// What --help prints.
std::string UsageText();

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

// Before gtk_init: reads the program's options and applies the backend
// choice. Returns the exit status when the program should end here (after
// --help, or on a bad option, with the message printed).
std::optional<int> PrepareDisplay(int& argc, char** argv, CommandLine& options);

// After gtk_init has taken its own options: whatever is left is an unknown
// argument. Returns the exit status, with the message printed, if so.
std::optional<int> RefuseLeftoverArguments(int argc, char** argv);

const char* BackendName(Backend backend);

}  // namespace seastrip
