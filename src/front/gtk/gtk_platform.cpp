#include "front/gtk/gtk_platform.h"

#include <ctime>

#include "front/gtk/gtk_dialog.h"
#include "front/gtk/gtk_menu.h"
#include "front/gtk/gtk_message.h"
#include "shell/strip_window.h"
#include "shell/timers.h"
#include "state/program.h"

namespace seastrip {

GtkPlatform::GtkPlatform()
    : area_(ReadMonitorArea()),
      stage_(area_.geometry.width, area_.geometry.height, kStripTwipsPerPixel, kStripTwipsPerPixel),
      window_(stage_, area_),
      strip_(stage_.Strip(), window_)
{
    window_.OnPress([this](MouseButton button) {
        if (program_) StripMouseDown(*program_, button);
    });
    // Closing the strip from the desktop ends the program as 終了 does.
    window_.OnClose([this] { ExitProgram(); });
}

int GtkPlatform::LocalHour() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 12;
    return local.tm_hour;
}

MenuChoice GtkPlatform::OpenPopupMenu()
{
    FocusReturn focus;
    return OpenStripMenu(Marks());
}

void GtkPlatform::ShowVersionDialog()
{
    FocusReturn focus;
    RunVersionDialog(window_.Window(), window_.ScreenRect());
}

// The program's state is broken: nothing of it may run behind the message,
// neither a tick (which could fail again and stack messages) nor a press.
void GtkPlatform::ShowMessageAndExit(const std::string& text)
{
    timers_.Stop();
    window_.IgnoreInput();
    ShowFailureMessage(text);
    EndProgram(1);
}

void GtkPlatform::ExitProgram() { EndProgram(0); }

// Every tick and command ends with the window showing what it changed.
void GtkPlatform::StartTimers()
{
    if (!program_) return;
    timers_.Start(
        [this] {
            TimerMainTick(*program_);
            window_.Refresh();
        },
        [this] {
            TimerNamiTick(*program_);
            window_.Refresh();
        });
}

}  // namespace seastrip
