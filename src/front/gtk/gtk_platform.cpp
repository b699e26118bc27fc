#include "front/gtk/gtk_platform.h"

#include <algorithm>
#include <ctime>

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>

#include "front/gtk/gtk_x11_hints.h"
#endif

#include "front/gtk/gtk_dialog.h"
#include "front/gtk/gtk_menu.h"
#include "front/gtk/gtk_message.h"
#include "front/gtk/gtk_monitor.h"
#include "shell/settings.h"
#include "shell/strip_window.h"
#include "shell/timers.h"
#include "state/program.h"

namespace seastrip {
namespace {

bool IsTilingDesktop(GdkDisplay* display)
{
#ifdef GDK_WINDOWING_X11
    if (!GDK_IS_X11_DISPLAY(display)) return false;
    // A window manager that has gone leaves its check window's id behind.
    gdk_x11_display_error_trap_push(display);
    const bool tiler = x11::IsKnownTiler(GDK_DISPLAY_XDISPLAY(display));
    gdk_x11_display_error_trap_pop_ignored(display);
    return tiler;
#else
    (void)display;
    return false;
#endif
}

}  // namespace

GtkPlatform::GtkPlatform(const MonitorChoice& monitor, bool reserve)
    : display_(gdk_display_get_default()),
      choice_(monitor),
      area_(ReadMonitorArea(display_, StripMonitor(display_, choice_))),
      docks_(area_.dockArea),
      layerMonitor_(ChosenMonitor(display_, choice_)),
      stage_(area_.geometry.width, area_.geometry.height, kTwipsPerPixel, kTwipsPerPixel),
      window_(stage_, area_.workArea.x, layerMonitor_, *this),
      strip_(stage_.Strip(), window_)
{
    if (layerMonitor_) g_object_ref(layerMonitor_);
    watch_.Start(display_, [this] { FollowDesktop(); });
    // A tiler lays out every ordinary window in its grid, or floats it at a
    // size of its own: the strip takes a row of its own as a bar does. A
    // tiler not known by name shows itself by the size it gives the strip.
    if (reserve || ReadSetting(*this, "Data", "Reserve") == "ON" || IsTilingDesktop(display_)) window_.Reserve();
}

void GtkPlatform::ReserveRow()
{
    window_.Reserve();
    area_ = MonitorArea{};  // placed again, whatever the desktop says now
    watch_.Soon();
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
    const MonitorArea next = ReadMonitorArea(display_, StripMonitor(display_, choice_), window_.ReservedBand());
    // A window manager's work area counts the strip's own strut down to the
    // screen's edge, which hides whether a dock that moved or went has left
    // room below the reserved row. The row is given back until the window
    // manager has published its area without it; placing the strip then
    // reserves it anew.
    const bool docksMoved = !gdk_rectangle_equal(&next.dockArea, &docks_);
    docks_ = next.dockArea;
    if (docksMoved && window_.ReservedBand()) {
        window_.WithdrawBand();
        area_ = MonitorArea{};
        watch_.Notice();
        return;
    }
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

void GtkPlatform::StripPressed(MouseButton button)
{
    if (program_) StripMouseDown(*program_, button);
}

void GtkPlatform::LayerWithdrawn()
{
    withdrawn_ = true;
    watch_.Notice();
}

// As a layer surface: the compositor gave the strip a new width.
void GtkPlatform::LayerWidthGiven(int width)
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
