#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "front/win32/win32_element.h"
#include "front/win32/win32_menu.h"
#include "front/win32/win32_timer.h"
#include "platform/platform.h"
#include "front/common/random_source.h"

namespace seastrip {

struct Program;

// The Windows desktop as the program sees it: the strip is a popup window,
// elements are its child windows, timers are SetTimer timers on a
// message-only window, the menu and dialog are native.
class Win32Platform final : public Platform {
public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // The program that the strip's presses, the menu and the timers drive.
    void Attach(Program& program) { program_ = &program; }
    HWND StripWindow() const { return strip_->Window(); }

    Element& Strip() override { return *strip_; }
    Element& CreateElement(const ElementDesign& design) override;
    Element& CreateInstance(const Element& lowest) override;
    void DestroyElement(Element& element) override;

    float TwipsPerPixelX() const override { return scale_.x; }
    float TwipsPerPixelY() const override { return scale_.y; }
    float ScreenWidth() const override;
    int FullScreenClientHeight() const override;
    int CaptionHeight() const override { return 0; }

    int LocalHour() const override;
    double Random() override { return random_.Next(); }

    void PlaySoundAsync(const std::string& path) override;

    std::string ReadProfileString(const std::string& section, const std::string& key,
                                  const std::string& path) override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    std::string SettingsFolder() const override;
    std::string ExecutableBaseName() const override;
    char PathSeparator() const override { return '\\'; }
    std::string DataFolder() const override;

    MenuChoice OpenPopupMenu() override;
    void ShowVersionDialog() override;
    [[noreturn]] void ShowMessageAndExit(const std::string& text) override;
    [[noreturn]] void ExitProgram() override;

    void StartTimers() override;
    // Stops the heartbeat (before a message box that ends the program).
    void StopTimers() { timers_.Stop(); }

private:
    HINSTANCE instance_;
    TwipsScale scale_;
    std::unique_ptr<Win32Element> strip_;
    std::vector<std::unique_ptr<Win32Element>> elements_;
    TimerForm timers_;
    RandomSource random_;
    Program* program_ = nullptr;
    mutable std::string settingsFolder_;
};

}  // namespace seastrip
