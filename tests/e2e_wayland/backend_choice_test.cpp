// The backend choice and the program's own options, without a compositor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "front/gtk/gtk_backend.h"

namespace seastrip {
namespace {

// A writable argv, as main receives it, with the null after the last.
struct Arguments {
    explicit Arguments(std::vector<std::string> words) : words_(std::move(words))
    {
        for (std::string& word : words_) pointers_.push_back(word.data());
        pointers_.push_back(nullptr);
        argc = static_cast<int>(words_.size());
    }
    char** argv() { return pointers_.data(); }
    std::vector<std::string> Left() const { return {pointers_.begin(), pointers_.begin() + argc}; }

    int argc;

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

TEST(CommandLine, TakesItsOwnOptionsAndLeavesGtksInOrder)
{
    Arguments args({"seastrip", "--display", ":3", "--backend", "wayland", "--gtk-debug=misc", "--monitor=1"});
    const CommandLine options = TakeCommandLine(args.argc, args.argv());
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.backend, Backend::Wayland);
    EXPECT_EQ(options.monitor.number, 1);
    EXPECT_EQ(options.monitor.name, "");
    EXPECT_FALSE(options.help);
    EXPECT_EQ(args.Left(), (std::vector<std::string>{"seastrip", "--display", ":3", "--gtk-debug=misc"}));
    EXPECT_EQ(args.argv()[args.argc], nullptr);

    Arguments other({"seastrip", "--backend=x11", "--monitor", "0", "-h"});
    const CommandLine second = TakeCommandLine(other.argc, other.argv());
    EXPECT_EQ(second.backend, Backend::X11);
    EXPECT_EQ(second.monitor.number, 0);
    EXPECT_TRUE(second.help);
    EXPECT_EQ(other.argc, 1);

    // A connector name instead of a number; the last --monitor given wins.
    Arguments named({"seastrip", "--monitor", "2", "--monitor", "HDMI-1"});
    const CommandLine third = TakeCommandLine(named.argc, named.argv());
    EXPECT_EQ(third.error, "");
    EXPECT_FALSE(third.monitor.number.has_value());
    EXPECT_EQ(third.monitor.name, "HDMI-1");
    EXPECT_TRUE(third.monitor.Given());
    EXPECT_FALSE(CommandLine{}.monitor.Given());
}

TEST(CommandLine, RefusesBadValuesWithOneLineNamingTheOption)
{
    const std::vector<std::vector<std::string>> bad = {
        {"seastrip", "--backend", "mir"}, {"seastrip", "--backend"},       {"seastrip", "--monitor", "-1"},
        {"seastrip", "--monitor", "+1"}, {"seastrip", "--monitor=2x"},    {"seastrip", "--monitor="},
        {"seastrip", "--monitor"},        {"seastrip", "--backend=X11"},    {"seastrip", "--monitor=-HDMI"},
    };
    for (const auto& words : bad) {
        Arguments args(words);
        const CommandLine options = TakeCommandLine(args.argc, args.argv());
        const std::string option = words[1].substr(0, words[1].find('='));
        EXPECT_NE(options.error.find(option), std::string::npos) << words[1] << ": '" << options.error << "'";
        EXPECT_EQ(options.error.find('\n'), std::string::npos);
    }
    // A longer option that merely starts with one of ours is not ours.
    Arguments longer({"seastrip", "--backends", "x11"});
    const CommandLine options = TakeCommandLine(longer.argc, longer.argv());
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(longer.argc, 3);
}

// Records whether the compositor was asked, and answers as told.
struct Probe {
    bool offered;
    int asked = 0;
    std::function<bool()> Function()
    {
        return [this] {
            ++asked;
            return offered;
        };
    }
};

TEST(BackendChoice, TheCommandLineThenGdkBackendWinWithoutAskingTheCompositor)
{
    Probe probe{true};
    EXPECT_EQ(ChooseBackend(Backend::X11, "wayland", "wayland-0", ":0", probe.Function()), Backend::X11);
    EXPECT_EQ(ChooseBackend(Backend::Wayland, "x11", "", "", probe.Function()), Backend::Wayland);
    EXPECT_EQ(ChooseBackend(Backend::Automatic, "x11", "wayland-0", ":0", probe.Function()), Backend::Automatic);
    // Outside a Wayland session (unset or empty) GTK's default is X11 anyway.
    EXPECT_EQ(ChooseBackend(Backend::Automatic, nullptr, nullptr, ":0", probe.Function()), Backend::Automatic);
    EXPECT_EQ(ChooseBackend(Backend::Automatic, "", "", ":0", probe.Function()), Backend::Automatic);
    EXPECT_EQ(probe.asked, 0);
}

TEST(BackendChoice, InAWaylandSessionLayerShellDecides)
{
    Probe offered{true};
    EXPECT_EQ(ChooseBackend(Backend::Automatic, nullptr, "wayland-1", ":1", offered.Function()), Backend::Wayland);
    EXPECT_EQ(offered.asked, 1);

    // GNOME: no layer-shell, so through Xwayland.
    Probe refused{false};
    EXPECT_EQ(ChooseBackend(Backend::Automatic, "", "wayland-0", ":0", refused.Function()), Backend::X11);
    // No X server to go to: GTK's own choice, a plain Wayland window.
    EXPECT_EQ(ChooseBackend(Backend::Automatic, nullptr, "wayland-0", nullptr, refused.Function()),
              Backend::Automatic);
    EXPECT_EQ(refused.asked, 2);
}

TEST(BackendChoice, NoCompositorBehindWaylandDisplayOffersNothing)
{
    const char* saved = std::getenv("WAYLAND_DISPLAY");
    const std::string keep = saved ? saved : "";
    setenv("WAYLAND_DISPLAY", "/nonexistent/seastrip-no-compositor", 1);
    EXPECT_FALSE(CompositorOffersLayerShell());
    if (saved) setenv("WAYLAND_DISPLAY", keep.c_str(), 1);
    else unsetenv("WAYLAND_DISPLAY");
}

}  // namespace
}  // namespace seastrip
