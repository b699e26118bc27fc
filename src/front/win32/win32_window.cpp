#include "front/win32/win32_window.h"

#include <shellapi.h>

#include "front/win32/win32_appbar.h"

#include "front/win32/win32_resource.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace seastrip {
namespace {

constexpr wchar_t kStripClass[] = L"SeastripStrip";

}  // namespace

Win32StripWindow::Win32StripWindow(const StripFrame& frame, StripWindowEvents& events)
    : Win32Element(frame, true), events_(events)
{
}

bool Win32StripWindow::RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SEASTRIP));
    windowClass.lpszClassName = kStripClass;
    return RegisterClassExW(&windowClass) != 0 && RegisterElementClass(instance);
}

std::unique_ptr<Win32StripWindow> Win32StripWindow::Create(HINSTANCE instance, const StripFrame& frame,
                                                           StripWindowEvents& events)
{
    std::unique_ptr<Win32StripWindow> strip(new Win32StripWindow(frame, events));
    strip->taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (!CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kStripClass, L"Seastrip", WS_POPUP | WS_CLIPCHILDREN,
                         0, 0, 0, 0, nullptr, nullptr, instance, strip.get()))
        return nullptr;
    return strip;
}

PixelBox Win32StripWindow::DevicePlace() const
{
    const StripFrame& frame = Frame();
    const PixelBox box = ScaleBox(ArtBox(), frame.scale);
    return PixelBox{frame.originX + box.left, frame.originY + box.top, frame.originX + box.right,
                    frame.originY + box.bottom};
}

LRESULT Win32StripWindow::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        events_.DesktopChanged();
        return 0;
    }
    if (message == kAppBarMessage) {
        // The taskbar or another toolbar moved: the strip's row is asked for again.
        if (wParam == ABN_POSCHANGED) events_.DesktopChanged();
        return 0;
    }
    switch (message) {
    case WM_LBUTTONDOWN:
        events_.StripPressed(MouseButton::Left);
        return 0;
    case WM_RBUTTONDOWN:
        events_.StripPressed(MouseButton::Right);
        return 0;
    case WM_MBUTTONDOWN:
        events_.StripPressed(MouseButton::Middle);
        return 0;
    case WM_CLOSE:
        // Left to the default, the window would be destroyed under a program
        // that still draws into it.
        events_.CloseRequested();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing to save: the session may end
    case WM_ENDSESSION:
        if (wParam) events_.CloseRequested();
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
        events_.DesktopChanged();
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) events_.DesktopChanged();
        return 0;
    default:
        return Win32Element::Message(message, wParam, lParam);
    }
}

}  // namespace seastrip
