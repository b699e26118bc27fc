#pragma once

// The Linux program's command line, read before any display is opened, so
// that a mistake is named even where no display can be reached. No GTK here.

#include <optional>
#include <string>

namespace seastrip {

// The display system asked for.
enum class Backend {
    Automatic,  // left to the environment: GDK_BACKEND, else a probe
    X11,
    Wayland,
};

// The monitor asked for: a number (0-based, in GDK's order of monitors) or a
// connector name such as HDMI-1; neither, the default one.
struct MonitorChoice {
    std::optional<int> number;
    std::string name;
    bool Given() const { return number.has_value() || !name.empty(); }
};

// What the command line asks for.
struct CommandLine {
    Backend backend = Backend::Automatic;
    MonitorChoice monitor;
    bool help = false;
    bool reserve = false;  // keep the strip's row free of windows, as a panel's
    std::string error;  // a mistake, as one line; empty when all is well
};

// Reads the command line and removes the program's own options from argv,
// leaving GTK's own (such as --display) for gtk_init. Anything else is a
// mistake, reported in `error`; argv is then left as it was.
CommandLine TakeCommandLine(int& argc, char** argv);

// What --help prints.
std::string UsageText();

// TakeCommandLine for main: prints the usage or the mistake, and returns the
// exit status when the program should end here.
std::optional<int> ReadCommandLine(int& argc, char** argv, CommandLine& options);

// After gtk_init has taken its own options, anything left is one GTK did not
// know after all. Returns the exit status, with the message printed, if so.
std::optional<int> RefuseLeftoverArguments(int argc, char** argv);

}  // namespace seastrip
