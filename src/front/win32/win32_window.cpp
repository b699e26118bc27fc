#include "front/win32/win32_window.h"

#include <shellapi.h>

#include <algorithm>

#include "front/win32/win32_appbar.h"

#include "front/win32/win32_resource.h"
#include "platform/twips.h"
#include "stage/stage.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace seastrip {
namespace {

constexpr wchar_t kStripClass[] = L"SeastripStrip";

int ArtFromTwips(float twips) { return PixelsFromTwips(twips, kTwipsPerArtPixel); }

// Client coordinates are signed 16-bit values in the message.
int ClientX(LPARAM at) { return static_cast<short>(LOWORD(at)); }
int ClientY(LPARAM at) { return static_cast<short>(HIWORD(at)); }

}  // namespace

Win32StripWindow::Win32StripWindow(HINSTANCE instance, Stage& stage, const StripFrame& frame,
                                   Win32StripWindowEvents& events)
    : stage_(stage), frame_(frame), events_(events), presenter_(stage)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SEASTRIP));
    windowClass.lpszClassName = kStripClass;
    if (!RegisterClassExW(&windowClass)) return;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // The procedure keeps the window from WM_NCCREATE on; one destroyed
    // during its creation is none.
    if (!CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kStripClass, L"Seastrip", WS_POPUP, 0, 0, 0, 0,
                         nullptr, nullptr, instance, this))
        window_ = nullptr;
    output_.SetWindow(window_);
    presenter_.SetOutput(&output_);
}

Win32StripWindow::~Win32StripWindow()
{
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void Win32StripWindow::Place(const Element& strip)
{
    const int left = ArtFromTwips(strip.Left());
    const int top = ArtFromTwips(strip.Top());
    const PixelBox art{left, top, left + std::max(0, ArtFromTwips(strip.Width())),
                       top + std::max(0, ArtFromTwips(strip.Height()))};
    const PixelBox box = ScaleBox(art, frame_.scale);
    SetWindowPos(window_, nullptr, frame_.originX + box.left, frame_.originY + box.top, box.right - box.left,
                 box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32StripWindow::Show(bool visible)
{
    if (visible) Refresh();
    ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void Win32StripWindow::Refresh()
{
    presenter_.SetScale(frame_.scale);
    presenter_.Refresh();
}

LRESULT CALLBACK Win32StripWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* strip = static_cast<Win32StripWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        strip->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(strip));
    }
    auto* strip = reinterpret_cast<Win32StripWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!strip) return DefWindowProcW(window, message, wParam, lParam);
    return strip->Message(message, wParam, lParam);
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
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // an ornament never takes the focus
    case WM_LBUTTONDOWN:
        OnPress(MouseButton::Left, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        OnPress(MouseButton::Right, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        OnPress(MouseButton::Middle, lParam);
        return 0;
    case WM_CLOSE:
        // Left to the default, the window would be destroyed under a program
        // that still draws into it.
        events_.CloseRequested();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing to save: the session may end
    case WM_ENDSESSION:
        return OnEndSession(wParam);
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
        events_.DesktopChanged();
        return 0;
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam);
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// From the image of the last frame: no scene code runs here. An image lost
// for want of memory, or of another scale, is made again whole and painted
// whole.
void Win32StripWindow::OnPaint()
{
    const bool anew = !output_.HasImage() || presenter_.Scale() != frame_.scale;
    presenter_.SetScale(frame_.scale);
    if (presenter_.Prepare() && anew) InvalidateRect(window_, nullptr, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    output_.Paint(dc, paint.rcPaint);
    EndPaint(window_, &paint);
}

// Only a press that no shown element's outline catches reaches the program.
void Win32StripWindow::OnPress(MouseButton button, LPARAM at)
{
    const int scale = frame_.scale;
    if (stage_.HitTest(ArtAt(ClientX(at), scale), ArtAt(ClientY(at), scale)) != nullptr) return;
    events_.StripPressed(button);
    Refresh();
}

LRESULT Win32StripWindow::OnEndSession(WPARAM ending)
{
    if (ending) events_.CloseRequested();
    return 0;
}

LRESULT Win32StripWindow::OnSettingChange(WPARAM what)
{
    if (what == SPI_SETWORKAREA) events_.DesktopChanged();
    return 0;
}

}  // namespace seastrip
