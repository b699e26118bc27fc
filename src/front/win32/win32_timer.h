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
    // Stops both timers; no tick is delivered afterwards.
    void Stop();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::function<void()> mainTick_;
    std::function<void()> namiTick_;
};

}  // namespace seastrip
