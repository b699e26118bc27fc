#include "front/win32/win32_visibility.h"

#include <shellapi.h>
#include <wtsapi32.h>

#include <utility>

namespace seastrip {
namespace {

constexpr wchar_t kVisibilityClass[] = L"SeastripVisibility";

// The console display's state: 0 off, 1 on, 2 dimmed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

Win32Visibility::~Win32Visibility() { Stop(); }

bool Win32Visibility::Start(HINSTANCE instance, HWND strip, std::function<void(bool)> changed)
{
    Stop();
    strip_ = strip;
    changed_ = std::move(changed);
    reported_ = true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kVisibilityClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    // A top-level window, never shown, as the session's and the power
    // notices are made for; a message-only window hears no broadcasts.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kVisibilityClass, L"Seastrip notices", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    if (!window_) return false;
    sessionNotices_ = WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    power_ = RegisterPowerSettingNotification(window_, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    // Registered as an application bar that claims no room, the window hears
    // from the shell when a full-screen application opens or closes.
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    bar.hWnd = window_;
    bar.uCallbackMessage = kAppBarMessage;
    appBar_ = SHAppBarMessage(ABM_NEW, &bar) != FALSE;
    return true;
}

void Win32Visibility::Stop()
{
    if (!window_) return;
    if (appBar_) {
        APPBARDATA bar{};
        bar.cbSize = sizeof(bar);
        bar.hWnd = window_;
        SHAppBarMessage(ABM_REMOVE, &bar);
    }
    if (power_) UnregisterPowerSettingNotification(power_);
    if (sessionNotices_) WTSUnRegisterSessionNotification(window_);
    DestroyWindow(window_);
    window_ = nullptr;
    power_ = nullptr;
    sessionNotices_ = appBar_ = false;
    locked_ = displayOff_ = fullScreen_ = false;
    changed_ = nullptr;
}

LRESULT CALLBACK Win32Visibility::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* visibility = static_cast<Win32Visibility*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(visibility));
    }
    auto* visibility = reinterpret_cast<Win32Visibility*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (visibility && visibility->Handle(message, wParam, lParam)) return message == WM_POWERBROADCAST ? TRUE : 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Visibility::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_LOCK) locked_ = true;
        else if (wParam == WTS_SESSION_UNLOCK) locked_ = false;
        else return false;
        break;
    case WM_POWERBROADCAST: {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        if (wParam != PBT_POWERSETTINGCHANGE || !setting || setting->PowerSetting != kConsoleDisplayState ||
            setting->DataLength < sizeof(DWORD)) {
            return false;
        }
        displayOff_ = *reinterpret_cast<const DWORD*>(setting->Data) == 0;
        break;
    }
    case kAppBarMessage:
        if (wParam != ABN_FULLSCREENAPP) return false;
        fullScreen_ = lParam != 0 && ForegroundCoversStrip();
        break;
    default:
        return false;
    }
    Update();
    return true;
}

// The shell says a full-screen application opened somewhere; only one over
// the strip's own monitor hides it.
bool Win32Visibility::ForegroundCoversStrip() const
{
    HWND foreground = GetForegroundWindow();
    RECT over{}, under{};
    if (!foreground || foreground == strip_ || !GetWindowRect(foreground, &over) || !GetWindowRect(strip_, &under)) {
        return false;
    }
    return under.right > under.left && under.left >= over.left && under.top >= over.top &&
           under.right <= over.right && under.bottom <= over.bottom;
}

void Win32Visibility::Update()
{
    const bool seen = Seen();
    if (seen == reported_) return;
    reported_ = seen;
    if (changed_) changed_(seen);
}

}  // namespace seastrip
