// Starts the program with the real Windows front. By default it drives the
// two timers' work by hand, as fast as the window system allows, and reports
// the process's GDI and USER object counts every 200 wave ticks (or as often
// as the second argument says) and after the last one (2,000 unless the first
// argument says otherwise). "fail MS" and "desktop" run the live program
// instead, "floor" a window that costs what any strip must, "unseen" hands
// the program the notices that nobody can see the strip and "hold S" keeps
// it in sight and then out of sight S seconds each (live_modes.h).
//
// Before counting, a warm-up runs until the shooting star and the walker have
// each been shown once: the window system makes a few objects for a window
// the first time it appears, once, which is not a leak. A leak per tick would
// show as growth of several objects on every tick.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "live_modes.h"
#include "object_count.h"
#include "front/win32/win32_platform.h"
#include "shell/menu_commands.h"
#include "state/program.h"
#include "shell/start_program.h"
#include "shell/timers.h"

namespace {

constexpr int kWarmUpLimit = 20000;

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// One wave tick, with a main tick on every second one, each shown as the
// timers show it. Noon and night take
// turns, 40 ticks each: the day's walker and the night's stars and shooting
// star keep coming back, and both choices show at once, so the scene never
// drifts into a look that the warm-up has not shown yet.
void Tick(seastrip::Win32Platform& platform, seastrip::Program& program, long tick)
{
    constexpr int kNoon = 2;
    constexpr int kNight = 4;
    if (tick % 40 == 1) seastrip::SceneItemChosen(program, (tick / 40) % 2 == 0 ? kNoon : kNight);
    seastrip::TimerNamiTick(program);
    if (tick % 2 == 0) seastrip::TimerMainTick(program);
    platform.Refresh();
    PumpMessages();
}

void Report(int tick)
{
    const seastrip::GuiObjectCounts counts = seastrip::CountGuiObjects();
    std::printf("after %d ticks: gdi=%ld user=%ld windows=%ld (gdi from %s)\n", tick, counts.gdi, counts.user,
                counts.windows, counts.gdiSource);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "fail") == 0) return seastrip::RunFailingRegions(argc > 2 ? std::atoi(argv[2]) : 1000);
    if (argc > 1 && std::strcmp(argv[1], "desktop") == 0) return seastrip::RunDesktopCommands();
    if (argc > 1 && std::strcmp(argv[1], "unseen") == 0) return seastrip::RunUnseen();
    if (argc > 2 && std::strcmp(argv[1], "hold") == 0) return seastrip::HoldUnseen(std::atoi(argv[2]));
    if (argc > 1 && std::strcmp(argv[1], "foreground") == 0) return seastrip::PrintForeground();
    if (argc > 1 && std::strcmp(argv[1], "free-bottom") == 0) return seastrip::PrintFreeBottom();
    if (argc > 1 && std::strcmp(argv[1], "floor") == 0) return seastrip::RunFloor();
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int every = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    seastrip::Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<seastrip::Program>(platform);
    platform.Attach(*program);
    seastrip::StartProgram(*program);
    platform.StopTimers();
    PumpMessages();

    long tick = 0;
    bool streakShown = false;
    bool walkerShown = false;
    while (!(streakShown && walkerShown) && tick < kWarmUpLimit) {
        Tick(platform, *program, ++tick);
        streakShown = streakShown || program->picSUN(2).Visible();
        walkerShown = walkerShown || program->picSUN(3).Visible();
    }
    std::printf("warm-up: %ld ticks, shooting star %s, walker %s\n", tick, streakShown ? "shown" : "never shown",
                walkerShown ? "shown" : "never shown");
    Report(0);
    for (int measured = 1; measured <= ticks; ++measured) {
        Tick(platform, *program, ++tick);
        if (measured % every == 0 || measured == ticks) Report(measured);
    }
    return streakShown && walkerShown ? 0 : 1;
}
