#include "front/win32/win32_platform.h"

#include "front/win32/win32_dialog.h"
#include "front/win32/win32_menu.h"
#include "front/win32/win32_message.h"
#include "front/win32/win32_monitor.h"
#include "front/win32/win32_settings.h"
#include "front/win32/win32_sound.h"
#include "shell/settings.h"
#include "shell/strip_window.h"
#include "shell/timers.h"

namespace seastrip {

Win32Platform::Win32Platform(HINSTANCE instance, int monitorIndex, bool reserve)
    : instance_(instance),
      monitorIndex_(monitorIndex),
      settings_(MakeSettingsPlace()),
      frame_(ReadFrame()),
      stage_(frame_.artWidth, frame_.artBottom, kTwipsPerArtPixel, kTwipsPerArtPixel),
      window_(instance, stage_, frame_, *this),
      strip_(stage_.Strip(), window_)
{
    // Nothing made after the window calls the system, so its error stands.
    if (!window_.Window()) EndWithSystemError("the strip window could not be created");
    // Before the program loads, so that it lays the strip out on its row.
    if ((reserve || ReadSetting(*this, "Data", "Reserve") == "ON") && appBar_.Register(window_.Window())) {
        // A toolbar of the shell stays in view, above other windows.
        SetWindowPos(window_.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        frame_ = ReadFrame();
    }
}

Win32Platform::~Win32Platform() = default;

StripFrame Win32Platform::ReadFrame()
{
    MonitorPlace place = FindMonitor(monitorIndex_);
    const int scale = ScaleForDpi(place.dpi);
    if (appBar_.Registered()) {
        // The work area already leaves out the strip's own row; the row is
        // asked for across the work area's width from the monitor's bottom,
        // and the strip stands on the row granted.
        const PixelBox span{place.work.left, place.monitor.top, place.work.right, place.monitor.bottom};
        place.work.bottom = appBar_.Reserve(span, kStripHeightPixels * scale).bottom;
    }
    return FrameFor(place.monitor, place.work, scale);
}

int Win32Platform::LocalHour() const
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour;
}

int Win32Platform::LocalSecondsOfDay() const
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

void Win32Platform::PlaySoundAsync(const std::string& path) { PlayWaveAsync(path); }

std::string Win32Platform::ReadProfileString(const std::string& section, const std::string& key,
                                             const std::string& path)
{
    return ReadProfileValue(section, key, path);
}

// The path the program gives is where the setting is read from now; the
// settings place decides whether the write may go there or to the fallback.
bool Win32Platform::WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                                       const std::string&)
{
    return settings_.Write([&](const std::string& file) { return WriteProfileValue(section, key, value, file); });
}

std::string Win32Platform::ExecutableBaseName() const { return seastrip::ExecutableBaseName(); }

std::string Win32Platform::DataFolder() const { return ExecutableFolder(); }

// Afterwards the window that had the foreground gets it back, so that the
// strip never keeps it (and Alt+F4 goes where the user was); after the
// version item only once the dialog has closed, since a window that gave the
// foreground away may not take it back for its dialog.
MenuChoice Win32Platform::OpenPopupMenu()
{
    previousForeground_ = GetForegroundWindow();
    const MenuChoice choice = TrackStripMenu(window_.Window(), Marks());
    if (choice.command != MenuCommand::Version) RestoreForeground(previousForeground_, window_.Window());
    return choice;
}

// Owned by the strip, the dialog stays out of the taskbar and the strip takes
// no input while it is open; it is not tied to any other window.
// When it closes, the system activates its owner; the window that had the
// focus before gets it back instead.
void Win32Platform::ShowVersionDialog()
{
    const HWND previous = previousForeground_ ? previousForeground_ : GetForegroundWindow();
    previousForeground_ = nullptr;
    RunVersionDialog(instance_, window_.Window());
    RestoreForeground(previous, window_.Window());
}

void Win32Platform::ShowMessageAndExit(const std::string& text)
{
    // No tick may run (and fail again), no press open the menu and no desktop
    // change lay the strip out behind the message.
    ending_ = true;
    StopTimers();
    appBar_.Remove();
    ShowFailureAndEnd(window_.Window(), text);
}

// Ending the process runs no destructor: the row goes back first.
void Win32Platform::ExitProgram()
{
    appBar_.Remove();
    EndProgram(0);
}

std::function<void()> Win32Platform::MainTick()
{
    return [this] {
        if (!program_ || ending_) return;
        TimerMainTick(*program_);
        window_.Refresh();
    };
}

std::function<void()> Win32Platform::NamiTick()
{
    return [this] {
        if (!program_ || ending_) return;
        TimerNamiTick(*program_);
        window_.Refresh();
    };
}

void Win32Platform::StartTimers()
{
    if (!timers_.Start(instance_, MainTick(), NamiTick())) EndWithSystemError("the timers could not be started");
    // Without the notices the strip simply stays seen.
    visibility_.Start(instance_, StripWindow(), [this](bool seen) { SetSeen(seen); });
}

void Win32Platform::SetSeen(bool seen)
{
    if (ending_ || !program_ || seen != sight_.Active()) return;
    const auto now = static_cast<int64_t>(GetTickCount64());
    if (!seen) {
        sight_.Leave(*program_, now);
        timers_.Stop();
        WakeOutOfSight();
        return;
    }
    const int64_t toNami = sight_.Return(*program_, now);
    window_.Refresh();
    timers_.Restart(MainTick(), NamiTick(), static_cast<int>(toNami));
}

// Out of sight the program wakes only to play the wave sound on its beat.
void Win32Platform::WakeOutOfSight()
{
    const auto now = static_cast<int64_t>(GetTickCount64());
    sight_.Wake(*program_, now);
    const int64_t next = sight_.ToNextWakeMs(*program_, now);
    if (next >= 0) timers_.WakeOnce(static_cast<int>(next), [this] { WakeOutOfSight(); });
}

void Win32Platform::StripPressed(MouseButton button)
{
    if (program_ && !ending_) StripMouseDown(*program_, button);
}

// A close request ends the program as the menu's exit does.
void Win32Platform::CloseRequested()
{
    if (!ending_) ExitProgram();
}

void Win32Platform::FollowDesktop()
{
    if (ending_) return;
    StripFrame next = ReadFrame();
    // The program placed the strip against the bottom it read at load; that
    // art row stays anchored on the work area's bottom edge wherever it goes.
    next.originY += (next.artBottom - frame_.artBottom) * next.scale;
    next.artBottom = frame_.artBottom;
    if (next == frame_) return;
    const bool widened = next.artWidth != frame_.artWidth;
    frame_ = next;
    stage_.SetScreenSize(frame_.artWidth, frame_.artBottom);
    // A new scale or origin alone moves and sizes the window as it stands;
    // a new width lays the strip out afresh, which places it too.
    window_.Place(strip_);
    if (widened && program_) RelayoutStrip(*program_);
    // Out of sight the new layout waits for the return, which shows it.
    if (!sight_.Active()) window_.Refresh();
}

}  // namespace seastrip
