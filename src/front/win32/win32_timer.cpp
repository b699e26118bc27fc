#include "front/win32/win32_timer.h"

#include <utility>

#include "shell/timers.h"

namespace seastrip {
namespace {

constexpr wchar_t kTimerClass[] = L"SeastripTimer";
constexpr UINT_PTR kTimerMainId = 1;
constexpr UINT_PTR kTimerNamiId = 2;
constexpr UINT_PTR kWakeId = 3;

}  // namespace

TimerForm::~TimerForm()
{
    Stop();
    if (window_) DestroyWindow(window_);
}

bool TimerForm::Start(HINSTANCE instance, std::function<void()> mainTick, std::function<void()> namiTick)
{
    mainTick_ = std::move(mainTick);
    namiTick_ = std::move(namiTick);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTimerClass;
    if (!RegisterClassExW(&windowClass)) return false;
    window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    return window_ && SetTimer(window_, kTimerMainId, kTimerMainIntervalMs, nullptr) &&
           SetTimer(window_, kTimerNamiId, kTimerNamiIntervalMs, nullptr);
}

void TimerForm::Stop()
{
    if (!window_) return;
    KillTimer(window_, kTimerMainId);
    KillTimer(window_, kTimerNamiId);
    KillTimer(window_, kWakeId);
    mainTick_ = nullptr;
    namiTick_ = nullptr;
    wake_ = nullptr;
}

void TimerForm::Restart(std::function<void()> mainTick, std::function<void()> namiTick, int firstNamiMs)
{
    if (!window_) return;
    Stop();
    mainTick_ = std::move(mainTick);
    namiTick_ = std::move(namiTick);
    namiFirst_ = firstNamiMs >= 0 && firstNamiMs != kTimerNamiIntervalMs;
    SetTimer(window_, kTimerMainId, kTimerMainIntervalMs, nullptr);
    SetTimer(window_, kTimerNamiId, namiFirst_ ? static_cast<UINT>(firstNamiMs) : kTimerNamiIntervalMs, nullptr);
}

void TimerForm::WakeOnce(int ms, std::function<void()> wake)
{
    if (!window_) return;
    wake_ = std::move(wake);
    SetTimer(window_, kWakeId, static_cast<UINT>(ms < 0 ? 0 : ms), nullptr);
}

LRESULT CALLBACK TimerForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TimerForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TimerForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && form && wParam == kWakeId) {
        KillTimer(window, kWakeId);
        // The call may ask for the next wakeup, replacing the function it runs in.
        std::function<void()> wake = std::move(form->wake_);
        if (wake) wake();
        return 0;
    }
    if (message == WM_TIMER && form) {
        // After a shorter first interval the wave timer takes its own again.
        if (wParam == kTimerNamiId && form->namiFirst_) {
            form->namiFirst_ = false;
            SetTimer(window, kTimerNamiId, kTimerNamiIntervalMs, nullptr);
        }
        // A copy: a tick may stop the timers (a region failure) while running.
        std::function<void()> tick = wParam == kTimerMainId ? form->mainTick_ : form->namiTick_;
        if (tick) tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace seastrip
