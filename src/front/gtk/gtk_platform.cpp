#include "front/gtk/gtk_platform.h"

#include <algorithm>
#include <ctime>

#include "front/gtk/gtk_dialog.h"
#include "front/gtk/gtk_menu.h"
#include "front/gtk/gtk_message.h"
#include "front/gtk/gtk_monitor.h"
#include "shell/strip_window.h"
#include "shell/timers.h"
#include "state/program.h"

namespace seastrip {

GtkPlatform::GtkPlatform(const MonitorChoice& monitor)
    : display_(gdk_display_get_default()),
      choice_(monitor),
      area_(ReadMonitorArea(display_, StripMonitor(display_, choice_))),
      layerMonitor_(ChosenMonitor(display_, choice_)),
      stage_(area_.geometry.width, area_.geometry.height, kStripTwipsPerPixel, kStripTwipsPerPixel),
      window_(stage_, area_.workArea.x, layerMonitor_),
      strip_(stage_.Strip(), window_)
{
    if (layerMonitor_) g_object_ref(layerMonitor_);
    window_.OnPress([this](MouseButton button) {
        if (program_) StripMouseDown(*program_, button);
    });
    // Closing the strip from the desktop ends the program as 終了 does.
    window_.OnClose([this] { ExitProgram(); });
    window_.OnLayerWidth([this](int width) { TakeLayerWidth(width); });
    window_.OnWithdrawn([this] {
        withdrawn_ = true;
        watch_.Notice();
    });
    // A new scale is laid out at once: until then the strip shows at the
    // old logical size, half or twice as wide as the screen.
    window_.OnRescaled([this] { watch_.Soon(); });
    watch_.Start(display_, [this] { FollowDesktop(); });
}

GtkPlatform::~GtkPlatform()
{
    visibility_.Stop();
    watch_.Stop();
    g_clear_object(&layerMonitor_);
}

void GtkPlatform::FollowDesktop()
{
    // Before the load has shown the strip there is nothing to move yet.
    if (ending_ || !program_ || !strip_.Visible()) return;
    if (window_.IsLayer()) {
        // The compositor places a layer surface and reports its width; the
        // program only says which output, and takes one back that the
        // compositor closed.
        GdkMonitor* wanted = ChosenMonitor(display_, choice_);
        if (withdrawn_) {
            // Without any output the surface waits for one to come.
            if (gdk_display_get_n_monitors(display_) == 0) return;
            // The compositor closes the surface of an output that goes
            // before GDK drops that output from its list: the compositor's
            // choice for now, and a second look for the chosen monitor.
            withdrawn_ = false;
            wanted = nullptr;
            watch_.Notice();
        } else if (wanted == layerMonitor_) {
            return;
        }
        g_set_object(&layerMonitor_, wanted);
        window_.PutLayerOn(layerMonitor_);
        return;
    }
    const MonitorArea next = ReadMonitorArea(display_, StripMonitor(display_, choice_));
    if (next == area_) return;
    area_ = next;
    stage_.SetScreenSize(area_.geometry.width, area_.geometry.height);
    window_.SetLeft(area_.workArea.x);
    RelayoutStrip(*program_);
    // The program places the strip at its own left edge, so a free area that
    // moved sideways alone is no change to it.
    window_.Place(strip_);
    // Out of sight the new layout waits for the return, which shows it.
    if (!sight_.Active()) window_.Refresh();
    visibility_.StripMoved();
}

void GtkPlatform::TakeLayerWidth(int width)
{
    area_.workArea.width = width;
    if (ending_ || !program_ || !strip_.Visible()) return;
    RelayoutStrip(*program_);
    if (!sight_.Active()) window_.Refresh();
}

int GtkPlatform::LocalHour() const { return LocalSecondsOfDay() / 3600; }

int GtkPlatform::LocalSecondsOfDay() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 12 * 3600;
    // A leap second counts as the last second of its minute.
    return local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
}

MenuChoice GtkPlatform::OpenPopupMenu()
{
    FocusReturn focus;
    return OpenStripMenu(Marks());
}

void GtkPlatform::ShowVersionDialog()
{
    FocusReturn focus;
    RunVersionDialog(window_.Window(), window_.ScreenRect());
}

// The program's state is broken: nothing of it may run behind the message,
// neither a tick (which could fail again and stack messages) nor a press.
void GtkPlatform::ShowMessageAndExit(const std::string& text)
{
    ending_ = true;
    timers_.Stop();
    watch_.Stop();
    visibility_.Stop();
    window_.IgnoreInput();
    ShowFailureMessage(text);
    EndProgram(1);
}

void GtkPlatform::ExitProgram() { EndProgram(0); }

namespace {

int64_t NowMs() { return g_get_monotonic_time() / 1000; }

}  // namespace

void GtkPlatform::StartTimers()
{
    if (!program_) return;
    StartTicks(-1);
    visibility_.Start(display_, window_.Window(), [this](bool seen) { SetSeen(seen); });
}

// Every tick and command ends with the window showing what it changed.
void GtkPlatform::StartTicks(int firstNamiMs)
{
    timers_.Start(
        [this] {
            TimerMainTick(*program_);
            window_.Refresh();
            visibility_.Ticked();
        },
        [this] {
            TimerNamiTick(*program_);
            window_.Refresh();
        },
        firstNamiMs);
}

void GtkPlatform::SetSeen(bool seen)
{
    if (ending_ || !program_ || seen != sight_.Active()) return;
    if (!seen) {
        sight_.Leave(*program_, NowMs(), timers_.ToNextNamiMs());
        timers_.Stop();
        WakeOutOfSight();
        return;
    }
    const int64_t toNami = sight_.Return(*program_, NowMs());
    window_.Refresh();
    StartTicks(static_cast<int>(toNami));
}

// Out of sight the program wakes only to play the wave sound on its beat.
void GtkPlatform::WakeOutOfSight()
{
    const int64_t now = NowMs();
    sight_.Wake(*program_, now);
    const int64_t next = sight_.ToNextWakeMs(*program_, now);
    if (next >= 0) timers_.WakeOnce(static_cast<int>(next), [this] { WakeOutOfSight(); });
}

}  // namespace seastrip
