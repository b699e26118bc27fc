#include "front/win32/win32_platform.h"

#include "front/win32/win32_dialog.h"
#include "front/win32/win32_profile.h"
#include "front/win32/win32_sound.h"
#include "front/win32/win32_text.h"
#include "shell/menu_commands.h"
#include "shell/strip_window.h"
#include "shell/timers.h"

namespace seastrip {
namespace {

constexpr wchar_t kTitle[] = L"Seastrip";

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance)
{
    HDC screen = GetDC(nullptr);
    scale_.x = 1440.0f / static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX));
    scale_.y = 1440.0f / static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    strip_ = Win32Element::CreateStrip(instance, scale_);
    strip_->OnPress([this](MouseButton button) {
        if (program_) StripMouseDown(*program_, button);
    });
}

// Children go before the strip that is their parent window.
Win32Platform::~Win32Platform() { elements_.clear(); }

Element& Win32Platform::CreateElement(const ElementDesign& design)
{
    elements_.push_back(Win32Element::CreateChild(strip_->Window(), design, scale_));
    return *elements_.back();
}

Element& Win32Platform::CreateInstance(const Element& lowest)
{
    elements_.push_back(static_cast<const Win32Element&>(lowest).Duplicate());
    return *elements_.back();
}

void Win32Platform::DestroyElement(Element& element)
{
    std::erase_if(elements_, [&](const std::unique_ptr<Win32Element>& e) { return e.get() == &element; });
}

float Win32Platform::ScreenWidth() const
{
    return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * scale_.x;
}

// The bottom of the work area, whichever edge the taskbar is on; with the
// caption height at 0 the strip sits right on it.
int Win32Platform::FullScreenClientHeight() const
{
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return GetSystemMetrics(SM_CYSCREEN);
    return work.bottom;
}

int Win32Platform::LocalHour() const
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour;
}

void Win32Platform::PlaySoundAsync(const std::string& path) { PlayWaveAsync(path); }

std::string Win32Platform::ReadProfileString(const std::string& section, const std::string& key,
                                             const std::string& path)
{
    return ReadProfileValue(section, key, path);
}

bool Win32Platform::WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                                       const std::string& path)
{
    return WriteProfileValue(section, key, value, path);
}

std::string Win32Platform::SettingsFolder() const
{
    if (settingsFolder_.empty()) settingsFolder_ = ChooseSettingsFolder();
    return settingsFolder_;
}

std::string Win32Platform::ExecutableBaseName() const { return seastrip::ExecutableBaseName(); }

std::string Win32Platform::DataFolder() const { return ExecutableFolder(); }

MenuChoice Win32Platform::OpenPopupMenu() { return TrackStripMenu(strip_->Window(), Marks()); }

// Owned by the strip, the dialog stays out of the taskbar and the strip takes
// no input while it is open; it is not tied to any other window.
void Win32Platform::ShowVersionDialog() { RunVersionDialog(instance_, strip_->Window()); }

void Win32Platform::ShowMessageAndExit(const std::string& text)
{
    // No tick may run (and fail again) behind the message box.
    StopTimers();
    MessageBoxW(nullptr, Widen(text).c_str(), kTitle, MB_OK);
    ExitProcess(0);
}

void Win32Platform::ExitProgram() { ExitProcess(0); }

void Win32Platform::StartTimers()
{
    timers_.Start(
        instance_,
        [this] {
            if (program_) TimerMainTick(*program_);
        },
        [this] {
            if (program_) TimerNamiTick(*program_);
        });
}

}  // namespace seastrip
