#pragma once

#include <string>

#include "front/common/random_source.h"
#include "front/common/strip_element.h"
#include "front/gtk/gtk_command_line.h"
#include "front/gtk/gtk_desktop_watch.h"
#include "front/gtk/gtk_focus.h"
#include "front/gtk/gtk_settings.h"
#include "front/gtk/gtk_sound.h"
#include "front/gtk/gtk_timer.h"
#include "front/gtk/gtk_visibility.h"
#include "front/gtk/gtk_window.h"
#include "front/gtk/gtk_work_area.h"
#include "platform/platform.h"
#include "platform/twips.h"
#include "shell/out_of_sight.h"
#include "stage/stage.h"

namespace seastrip {

struct Program;

// The Linux desktop through GTK 3: one undecorated top-level window shows the
// software stage's frame; GLib timeouts drive the ticks; the menu, the version
// dialog and the failure message are real GTK widgets; sound goes through
// libcanberra. Made after GTK has opened the display. The strip stays on the
// bottom of its monitor's free area as the desktop changes.
class GtkPlatform : public Platform, private GtkStripWindowEvents {
public:
    // On the chosen monitor while it is connected, else on the default one.
    // With reserve, the strip keeps its row of the screen as a panel does;
    // so it does, too, when the settings file says Reserve=ON under [Data].
    explicit GtkPlatform(const MonitorChoice& monitor = {}, bool reserve = false);
    ~GtkPlatform() override;
    GtkPlatform(const GtkPlatform&) = delete;
    GtkPlatform& operator=(const GtkPlatform&) = delete;

    // The program that presses, menu choices, close requests and timers drive.
    void Attach(Program& program) { program_ = &program; }

    Element& Strip() override { return strip_; }
    Element& CreateElement(const ElementDesign& design) override { return stage_.CreateElement(design); }
    Element& CreateInstance(const Element& lowest) override { return stage_.CreateInstance(lowest); }
    void DestroyElement(Element& element) override { stage_.DestroyElement(element); }

    float TwipsPerPixelX() const override { return kTwipsPerPixel; }
    float TwipsPerPixelY() const override { return kTwipsPerPixel; }
    // The free area's width: a panel along the monitor's left or right edge
    // stays clear, the window's left edge being the free area's.
    float ScreenWidth() const override { return static_cast<float>(area_.workArea.width) * kTwipsPerPixel; }
    // The bottom of the monitor's free area; with no caption metric added, the
    // strip's bottom edge lands on it.
    int FullScreenClientHeight() const override { return area_.workArea.y + area_.workArea.height; }
    int CaptionHeight() const override { return 0; }

    int LocalHour() const override;
    int LocalSecondsOfDay() const override;
    double Random() override { return random_.Next(); }

    void PlaySoundAsync(const std::string& path) override { sound_.Play(path); }

    std::string ReadProfileString(const std::string& section, const std::string& key,
                                  const std::string& path) override
    {
        return settings_.Read(section, key, path);
    }
    // The path the program gives is where the setting is read from now; the
    // settings decide whether the write may go there or to the fallback.
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string&) override
    {
        return settings_.Write(section, key, value);
    }
    std::string SettingsFolder() const override { return settings_.Folder(); }
    std::string ExecutableBaseName() const override { return settings_.BaseName(); }
    char PathSeparator() const override { return '/'; }
    std::string DataFolder() const override { return settings_.DataFolder(); }

    MenuChoice OpenPopupMenu() override;
    void ShowVersionDialog() override;
    [[noreturn]] void ShowMessageAndExit(const std::string& text) override;
    [[noreturn]] void ExitProgram() override;
    void StartTimers() override;

private:
    void StripPressed(MouseButton button) override;
    // Closing the strip from the desktop ends the program as 終了 does.
    void CloseRequested() override { ExitProgram(); }
    void LayerWidthGiven(int width) override;
    void LayerWithdrawn() override;
    // A new scale is laid out at once: until then the strip shows at the
    // old logical size, half or twice as wide as the screen.
    void Rescaled() override { watch_.Soon(); }
    void SizeRefused() override { ReserveRow(); }

    // Reads the monitor anew and, where the strip's place changed, places and
    // lays it out again and shows the result as one frame.
    void FollowDesktop();
    // Makes the strip a dock reserving its row, and places it again.
    void ReserveRow();
    // Nobody can see the strip, or somebody can again: the timers stop, or
    // start again after the strip has been brought up to date and shown.
    void SetSeen(bool seen);
    void WakeOutOfSight();
    void StartTicks(int firstNamiMs);

    GdkDisplay* display_;
    MonitorChoice choice_;
    MonitorArea area_;  // before the stage: the stage is sized from it
    GdkRectangle docks_{0, 0, 0, 0};  // the docks' free area at the last look
    GdkMonitor* layerMonitor_ = nullptr;  // a layer surface's monitor, held; null for the compositor's choice
    Stage stage_;
    GtkStripWindow window_;
    StripElement strip_;
    GtkTimerForm timers_;
    GtkSound sound_;
    GtkSettings settings_;
    RandomSource random_;
    DesktopWatch watch_;
    GtkVisibility visibility_;
    OutOfSight sight_;
    Program* program_ = nullptr;
    bool ending_ = false;  // a failure message is up: the desktop is no longer followed
    bool withdrawn_ = false;  // the compositor took the layer surface away
};

}  // namespace seastrip
