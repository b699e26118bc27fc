#include "front/gtk/gtk_command_line.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "front/common/monitor_number.h"

namespace seastrip {
namespace {

// GTK's own options, which gtk_init takes, those that take a value first.
// (Its debugging options exist only in GTK's debugging builds.)
constexpr const char* kToolkitOptionsWithValue[] = {"--display", "--class", "--name", "--gtk-module"};
constexpr const char* kToolkitFlags[] = {"--g-fatal-warnings"};

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
    } else if (auto number = ParseMonitorNumber(text)) {
        options.monitor.number = *number;
    } else {
        options.error = "--monitor takes a monitor number from 0 to " + std::to_string(kLastMonitorNumber) +
                        " or a connector name, not '" + text + "'";
    }
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

// Moves past a GTK option (and its separate value); false when it is none.
bool SkipToolkitOption(int argc, char** argv, int& i, std::string& error)
{
    for (const char* name : kToolkitFlags) {
        if (std::strcmp(argv[i], name) == 0) return true;
    }
    for (const char* name : kToolkitOptionsWithValue) {
        bool missing = false;
        if (!OptionValue(name, argc, argv, i, missing)) continue;
        if (missing) error = std::string(name) + " needs a value";
        return true;
    }
    return false;
}

}  // namespace

CommandLine TakeCommandLine(int& argc, char** argv)
{
    CommandLine options;
    int kept = 1;
    for (int i = 1; i < argc && options.error.empty(); ++i) {
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
        } else if (const int first = i; SkipToolkitOption(argc, argv, i, options.error)) {
            for (int k = first; k <= i; ++k) argv[kept++] = argv[k];
        } else {
            options.error = std::string("unknown argument '") + arg + "'";
        }
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
           "  --monitor N|NAME       the monitor to sit on: counted from 0 (up to 255),\n"
           "                         or by its connector name (such as HDMI-1); while it\n"
           "                         is not connected, the primary one (on Wayland, the\n"
           "                         compositor's choice), and back when it returns\n"
           "  --reserve              keep the strip's row free of windows, as a panel's\n"
           "                         (also Reserve=ON under [Data] in the settings file)\n"
           "  -h, --help             this text\n"
           "GTK's own options, such as --display, are honoured too.\n";
}

std::optional<int> ReadCommandLine(int& argc, char** argv, CommandLine& options)
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
    return std::nullopt;
}

std::optional<int> RefuseLeftoverArguments(int argc, char** argv)
{
    if (argc <= 1) return std::nullopt;
    std::fprintf(stderr, "seastrip: unknown argument '%s' (see seastrip --help)\n", argv[1]);
    return 2;
}

}  // namespace seastrip
