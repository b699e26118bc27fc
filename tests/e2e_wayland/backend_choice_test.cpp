// The backend choice, without a compositor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "front/gtk/gtk_backend.h"

namespace seastrip {
namespace {

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
