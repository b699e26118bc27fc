#pragma once

// The strip as an application desktop toolbar (an AppBar): the shell keeps
// its row along the monitor's bottom edge free of other windows, as it does
// for the taskbar, so maximised windows end above it.

#include <windows.h>

#include "front/win32/win32_scale.h"

namespace seastrip {

// The message the shell sends the strip's window about its row; wParam
// ABN_POSCHANGED when the taskbar or another toolbar moved.
constexpr UINT kAppBarMessage = WM_APP + 0x51;

class AppBar {
public:
    AppBar() = default;
    ~AppBar() { Remove(); }
    AppBar(const AppBar&) = delete;
    AppBar& operator=(const AppBar&) = delete;

    // Makes the window a toolbar; false where the shell refuses.
    bool Register(HWND window);
    bool Registered() const { return window_ != nullptr; }
    // Asks for a row `height` device pixels high along the bottom of the
    // span (the monitor's width less a side taskbar), below which the shell
    // may keep its taskbar and toolbars registered before; returns the row
    // granted.
    PixelBox Reserve(const PixelBox& span, int height);
    // Gives the row back; the program must call this before it ends, since
    // ending the process runs no destructor.
    void Remove();

private:
    HWND window_ = nullptr;
};

}  // namespace seastrip
