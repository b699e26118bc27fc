#pragma once

#include <windows.h>

#include <memory>

#include "front/win32/win32_element.h"
#include "shell/strip_window.h"

namespace seastrip {

// What the strip window hears that concerns the whole program rather than
// its picture. Each arrives on the user-interface thread.
class StripWindowEvents {
public:
    // A press on the strip's own surface (not on a shown element).
    virtual void StripPressed(MouseButton button) = 0;
    // The user or the system asked the strip to close (Alt+F4, a task
    // manager, the session ending).
    virtual void CloseRequested() = 0;
    // The desktop under the strip changed: its size, a monitor, the work
    // area, the taskbar, or the monitor's scale.
    virtual void DesktopChanged() = 0;

protected:
    ~StripWindowEvents() = default;
};

// The strip's own surface: a borderless top-level popup, not in the
// taskbar, never activated by clicks. Its art-pixel place is read through
// the strip frame, so the program's "left 0, docked on the bottom" lands on
// the bottom of its monitor's work area at that monitor's scale.
class Win32StripWindow final : public Win32Element {
public:
    // The strip's window class and the elements' class; false when the
    // system refuses either.
    static bool RegisterClasses(HINSTANCE instance);
    // The strip window, created hidden, or null when the system cannot make it.
    static std::unique_ptr<Win32StripWindow> Create(HINSTANCE instance, const StripFrame& frame,
                                                    StripWindowEvents& events);

    // Stands the strip where the frame now says, without other changes.
    void Replace() { Place(); }

private:
    Win32StripWindow(const StripFrame& frame, StripWindowEvents& events);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;
    PixelBox DevicePlace() const override;

    StripWindowEvents& events_;
    // The message a (re)started taskbar broadcasts; its work area may differ.
    UINT taskbarCreated_ = 0;
};

}  // namespace seastrip
