#pragma once

#include <windows.h>

#include <string>

#include "front/common/random_source.h"
#include "front/common/settings_place.h"
#include "front/common/strip_element.h"
#include "front/win32/win32_appbar.h"
#include "front/win32/win32_scale.h"
#include "front/win32/win32_timer.h"
#include "front/win32/win32_visibility.h"
#include "shell/out_of_sight.h"
#include "front/win32/win32_window.h"
#include "platform/platform.h"
#include "stage/stage.h"

namespace seastrip {

struct Program;

// The Windows desktop as the program sees it: one popup window on one
// monitor shows the software stage's frame, timers are SetTimer timers on a
// message-only window, the menu and dialog are native. The program lays out
// in art pixels of 15 twips; this front alone multiplies them out to the
// monitor's whole scale factor.
class Win32Platform final : public Platform, private Win32StripWindowEvents {
public:
    // Makes the strip window (hidden) for the monitor of that index in the
    // system's order, the primary one when it is negative or absent. A
    // window the system refuses ends the program with status 1.
    // With reserve, the strip keeps its row as a toolbar of the shell (as it
    // does when the settings file says Reserve=ON under [Data]).
    explicit Win32Platform(HINSTANCE instance, int monitorIndex = -1, bool reserve = false);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // The program that the strip's presses, the menu and the timers drive.
    void Attach(Program& program) { program_ = &program; }
    HWND StripWindow() const { return window_.Window(); }
    // The device pixels per art pixel the strip stands at now.
    int Scale() const { return frame_.scale; }

    Element& Strip() override { return strip_; }
    Element& CreateElement(const ElementDesign& design) override { return stage_.CreateElement(design); }
    Element& CreateInstance(const Element& lowest) override { return stage_.CreateInstance(lowest); }
    void DestroyElement(Element& element) override { stage_.DestroyElement(element); }

    float TwipsPerPixelX() const override { return kTwipsPerArtPixel; }
    float TwipsPerPixelY() const override { return kTwipsPerArtPixel; }
    float ScreenWidth() const override { return static_cast<float>(frame_.artWidth) * kTwipsPerArtPixel; }
    int FullScreenClientHeight() const override { return frame_.artBottom; }
    int CaptionHeight() const override { return 0; }

    int LocalHour() const override;
    int LocalSecondsOfDay() const override;
    double Random() override { return random_.Next(); }

    void PlaySoundAsync(const std::string& path) override;

    std::string ReadProfileString(const std::string& section, const std::string& key,
                                  const std::string& path) override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    std::string SettingsFolder() const override { return settings_.Folder(); }
    std::string ExecutableBaseName() const override;
    char PathSeparator() const override { return '\\'; }
    std::string DataFolder() const override;

    MenuChoice OpenPopupMenu() override;
    void ShowVersionDialog() override;
    [[noreturn]] void ShowMessageAndExit(const std::string& text) override;
    [[noreturn]] void ExitProgram() override;

    void StartTimers() override;
    // Stops the heartbeat; no tick runs afterwards.
    void StopTimers() { timers_.Stop(); }
    // Shows what the program changed since the last refresh; every tick and
    // command ends with one.
    void Refresh() { window_.Refresh(); }

    // Reads the desktop again and, where it changed, stands the strip on the
    // bottom of its monitor's work area at the monitor's scale, laid out
    // afresh at a new width.
    void FollowDesktop();
    // Where the notices that say whether anybody can see the strip arrive.
    HWND VisibilityWindow() const { return visibility_.Window(); }

private:
    void StripPressed(MouseButton button) override;
    void CloseRequested() override;
    void DesktopChanged() override { FollowDesktop(); }
    // The frame on the monitor as it is now; while the strip keeps its own
    // row, that row is asked for again and the strip stands on it.
    StripFrame ReadFrame();
    // Nobody can see the strip, or somebody can again: the timers stop, or
    // start again after the strip has been brought up to date.
    void SetSeen(bool seen);
    void WakeOutOfSight();
    std::function<void()> MainTick();
    std::function<void()> NamiTick();

    HINSTANCE instance_;
    int monitorIndex_;
    SettingsPlace settings_;
    AppBar appBar_;     // before the frame, which is read through it
    StripFrame frame_;  // before the stage: the stage is sized from it
    Stage stage_;
    Win32StripWindow window_;
    StripElement strip_;
    TimerForm timers_;
    Win32Visibility visibility_;
    OutOfSight sight_;
    RandomSource random_;
    Program* program_ = nullptr;
    // The window that had the foreground before the menu took it.
    HWND previousForeground_ = nullptr;
    // The failure message is up: nothing else of the program may run.
    bool ending_ = false;
};

}  // namespace seastrip
