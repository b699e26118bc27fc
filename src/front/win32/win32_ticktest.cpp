// Starts the program with the real Windows front, then drives the two timers'
// work by hand, as fast as the window system allows, and reports the
// process's GDI and USER object counts after 200 and after the last wave tick
// (2,000 unless the first argument says otherwise).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "front/win32/win32_object_count.h"
#include "front/win32/win32_platform.h"
#include "shell/menu_commands.h"
#include "shell/program.h"
#include "shell/start_program.h"
#include "shell/timers.h"

namespace {

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Report(int tick)
{
    const seastrip::GuiObjectCounts counts = seastrip::CountGuiObjects();
    std::printf("after %d ticks: gdi=%ld user=%ld (gdi from %s)\n", tick, counts.gdi, counts.user, counts.gdiSource);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    seastrip::Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<seastrip::Program>(platform);
    platform.Attach(*program);
    seastrip::StartProgram(*program);
    platform.StopTimers();
    PumpMessages();

    for (int tick = 1; tick <= ticks; ++tick) {
        // Every scene in turn, 40 ticks each, so that each look (stars and
        // shooting star by night, the walker by day, the sunset sun) has had
        // its turn before the first count.
        if (tick % 40 == 1) seastrip::SceneItemChosen(*program, ((tick - 1) / 40) % seastrip::kSceneItemCount);
        seastrip::TimerNamiTick(*program);
        if (tick % 2 == 0) seastrip::TimerMainTick(*program);
        PumpMessages();
        if (tick == 200 || tick == ticks) Report(tick);
    }
    return 0;
}
