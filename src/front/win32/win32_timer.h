#pragma once

#include <windows.h>

#include <functional>

namespace seastrip {

// The invisible timer form: a message-only window that owns the two
// heartbeat timers and hands their ticks to the program on the UI thread.
class TimerForm {
public:
    TimerForm() = default;
    ~TimerForm();
    TimerForm(const TimerForm&) = delete;
    TimerForm& operator=(const TimerForm&) = delete;

    // Creates the window and starts both timers; false, with the system's
    // error left for the caller, when either cannot be had.
    bool Start(HINSTANCE instance, std::function<void()> mainTick, std::function<void()> namiTick);
    // Stops both timers and a pending wakeup; no tick is delivered afterwards.
    void Stop();
    // Starts both timers again after Stop, the wave timer's first tick after
    // `firstNamiMs` (to keep an earlier beat).
    void Restart(std::function<void()> mainTick, std::function<void()> namiTick, int firstNamiMs);
    // One call of `wake` after `ms`, while the timers stand still.
    void WakeOnce(int ms, std::function<void()> wake);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::function<void()> mainTick_;
    std::function<void()> namiTick_;
    std::function<void()> wake_;
    bool namiFirst_ = false;  // the wave timer runs its first, shorter interval
};

}  // namespace seastrip
