#pragma once

#include <windows.h>

#include <functional>

namespace seastrip {

// Tells whether anybody can see the strip, from what Windows says when it
// changes: the session locked, the console display switched off, and a
// full-screen application (a game, a video, a presentation) over the strip's
// monitor. A dimmed display still shows the strip. The strip counts as seen
// unless one of them says otherwise.
//
// The notices come to a hidden window of its own, so the strip's window
// needs to know nothing of them.
class Win32Visibility {
public:
    Win32Visibility() = default;
    ~Win32Visibility();
    Win32Visibility(const Win32Visibility&) = delete;
    Win32Visibility& operator=(const Win32Visibility&) = delete;

    // Starts listening for the strip's window; `changed` is told every change
    // between seen and unseen. False when the window could not be made.
    bool Start(HINSTANCE instance, HWND strip, std::function<void(bool seen)> changed);
    void Stop();
    bool Seen() const { return !locked_ && !displayOff_ && !fullScreen_; }
    // The window the notices come to.
    HWND Window() const { return window_; }

    // The message the shell sends about full-screen applications.
    static constexpr UINT kAppBarMessage = WM_APP + 40;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool ForegroundCoversStrip() const;
    void Update();

    HWND window_ = nullptr;
    HWND strip_ = nullptr;
    HPOWERNOTIFY power_ = nullptr;
    bool sessionNotices_ = false;
    bool appBar_ = false;
    std::function<void(bool)> changed_;
    bool reported_ = true;
    bool locked_ = false;
    bool displayOff_ = false;
    bool fullScreen_ = false;
};

}  // namespace seastrip
