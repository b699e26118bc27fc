#pragma once

#include <windows.h>

#include "front/common/frame_output.h"
#include "front/common/strip_element.h"
#include "front/win32/win32_frame_output.h"
#include "front/win32/win32_scale.h"
#include "platform/element.h"
#include "shell/strip_window.h"

namespace seastrip {

class Stage;

// What the Windows strip window hears besides presses and close requests
// (Alt+F4, a task manager, the session ending).
class Win32StripWindowEvents : public StripWindowEvents {
public:
    // The desktop under the strip changed: its size, a monitor, the work
    // area, the taskbar, or the monitor's scale.
    virtual void DesktopChanged() = 0;

protected:
    ~Win32StripWindowEvents() = default;
};

// The strip window: a borderless top-level popup, not in the taskbar, never
// activated by clicks, that shows the stage's frame as one image, every
// frame pixel a crisp block of the monitor's whole scale factor. Its place
// is the strip element's, read through the strip frame, so the program's
// "left 0, docked on the bottom" lands on the bottom of its monitor's work
// area at that monitor's scale. Presses are hit-tested through the stage's
// outlines, as elements of their own would catch them.
class Win32StripWindow final : public StripHost {
public:
    // Registers the window class and makes the window, hidden; Window() is
    // null when the system refused either (its error is left for the caller).
    Win32StripWindow(HINSTANCE instance, Stage& stage, const StripFrame& frame, Win32StripWindowEvents& events);
    ~Win32StripWindow();
    Win32StripWindow(const Win32StripWindow&) = delete;
    Win32StripWindow& operator=(const Win32StripWindow&) = delete;

    HWND Window() const { return window_; }
    // Stands the window where the strip element's geometry says, on the
    // frame's origin at its scale.
    void Place(const Element& strip) override;
    void Show(bool visible) override;
    // Composes the frame at the frame's scale and shows what changed. Runs
    // after every tick and command; when nothing changed it shows nothing.
    void Refresh();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnPress(MouseButton button, LPARAM at);
    LRESULT OnEndSession(WPARAM ending);
    LRESULT OnSettingChange(WPARAM what);

    Stage& stage_;
    const StripFrame& frame_;
    Win32StripWindowEvents& events_;
    Win32FrameOutput output_;
    FramePresenter presenter_;
    HWND window_ = nullptr;
    // The message a (re)started taskbar broadcasts; its work area may differ.
    UINT taskbarCreated_ = 0;
};

}  // namespace seastrip
