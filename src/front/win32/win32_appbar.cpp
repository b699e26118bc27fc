#include "front/win32/win32_appbar.h"

#include <shellapi.h>

namespace seastrip {

bool AppBar::Register(HWND window)
{
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uCallbackMessage = kAppBarMessage;
    if (!SHAppBarMessage(ABM_NEW, &data)) return false;
    window_ = window;
    return true;
}

PixelBox AppBar::Reserve(const PixelBox& span, int height)
{
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uEdge = ABE_BOTTOM;
    data.rc = RECT{span.left, span.bottom - height, span.right, span.bottom};
    if (!window_) return PixelBox{span.left, span.bottom - height, span.right, span.bottom};
    // The shell moves the proposed row clear of the taskbar and the toolbars
    // before it; the row keeps its height from the bottom it settles on.
    SHAppBarMessage(ABM_QUERYPOS, &data);
    data.rc.top = data.rc.bottom - height;
    SHAppBarMessage(ABM_SETPOS, &data);
    return PixelBox{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
}

void AppBar::Remove()
{
    if (!window_) return;
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    SHAppBarMessage(ABM_REMOVE, &data);
    window_ = nullptr;
}

}  // namespace seastrip
