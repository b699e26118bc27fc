#pragma once

#include <string>

#include "platform/element.h"
#include "platform/element_design.h"
#include "platform/menu_marks.h"

namespace seastrip {

// Everything the program asks of the desktop it runs on. The system code
// reaches the outside world only through this interface; each front (Win32,
// GTK, the headless stage) implements it.
class Platform {
public:
    virtual ~Platform() = default;

    // Elements. The strip's own surface is an element too: moving it moves the
    // top-level window, and its persistent image is the painted sky.
    virtual Element& Strip() = 0;
    virtual Element& CreateElement(const ElementDesign& design) = 0;
    // A new instance of an element array: a hidden copy of the lowest instance
    // (size, position, fill colour, picture, image), placed in front.
    virtual Element& CreateInstance(const Element& lowest) = 0;
    // Unloads an instance made by CreateInstance: it disappears from the strip
    // and the reference is no longer valid.
    virtual void DestroyElement(Element& element) = 0;

    // Screen metrics. The screen width is in twips; the two metrics are in
    // pixels and their sum is the bottom edge of the work area.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
    virtual float ScreenWidth() const = 0;
    virtual int FullScreenClientHeight() const = 0;
    virtual int CaptionHeight() const = 0;

    // The local wall-clock hour, 0..23, and the seconds since local midnight,
    // 0..86399, read together.
    virtual int LocalHour() const = 0;
    virtual int LocalSecondsOfDay() const = 0;
    // One draw from the shared uniform source, 0 <= r < 1.
    virtual double Random() = 0;

    // Starts playing a wave file and returns at once; a sound still playing
    // is cut off. A missing file stays silent.
    virtual void PlaySoundAsync(const std::string& path) = 0;

    // The profile (INI) file: the value stored under section and key, or the
    // empty string; and storing one. Errors are not reported by design: a
    // failed write is lost, the result says only whether it was stored.
    virtual std::string ReadProfileString(const std::string& section, const std::string& key,
                                          const std::string& path) = 0;
    virtual bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                                    const std::string& path) = 0;
    // Where the settings file lives (the executable's folder where it can be
    // written), the executable's base name, the folder separator, and the
    // folder that holds the wave sound.
    virtual std::string SettingsFolder() const = 0;
    virtual std::string ExecutableBaseName() const = 0;
    virtual char PathSeparator() const = 0;
    virtual std::string DataFolder() const = 0;

    // The popup menu's check marks, one store for every front.
    bool IsChecked(MenuGroup group, int index) const { return marks_.IsChecked(group, index); }
    void SetChecked(MenuGroup group, int index, bool checked) { marks_.SetChecked(group, index, checked); }
    const MenuMarks& Marks() const { return marks_; }

    // Opens the popup menu at the pointer, showing the marks; returns the
    // choice when it closes.
    virtual MenuChoice OpenPopupMenu() = 0;
    // The modal version dialog; returns when it has been closed.
    virtual void ShowVersionDialog() = 0;
    // A message box with OK, then the program ends at once. Never returns: a
    // real front ends the process, the headless one throws.
    [[noreturn]] virtual void ShowMessageAndExit(const std::string& text) = 0;
    // Ends the program at once: no further tick, nothing saved.
    [[noreturn]] virtual void ExitProgram() = 0;

    // Loads the timer form: from now on TimerMainTick runs every 250 ms and
    // TimerNamiTick every 110 ms, on the one user-interface thread.
    virtual void StartTimers() = 0;

private:
    MenuMarks marks_;
};

}  // namespace seastrip
