#pragma once

#include <cstdint>
#include <functional>

#include "shell/out_of_sight.h"
#include "shell/timers.h"
#include "state/program.h"
#include "front/headless/headless_platform.h"

namespace seastrip {

// Runs the program's two timers in simulated time: each fires at its
// interval, in time order, and the clock advances with them. No real waiting.
class SimulatedTimers {
public:
    enum class Tick { Main, Nami };

    SimulatedTimers(HeadlessPlatform& platform, Program& program) : platform_(platform), program_(program) {}

    // Lets `ms` milliseconds pass. `afterTick` runs after every tick. Returns
    // false if the program ended (Exit, or a region failure's message).
    bool Run(int64_t ms, const std::function<void(Tick)>& afterTick = {});

    // Nobody can see the strip from now on, until it is seen again: the
    // timers stop, and with the sound on the program is woken at each wave
    // cycle's start.
    void LeaveSight();
    void ReturnToSight();
    bool Seen() const { return !sight_.Active(); }

    int64_t ElapsedMs() const { return nowMs_; }
    int64_t Wakeups() const { return wakeups_; }
    int64_t MainTicks() const { return mainTicks_; }
    int64_t NamiTicks() const { return namiTicks_; }

private:
    HeadlessPlatform& platform_;
    Program& program_;
    int64_t nowMs_ = 0;
    int64_t nextMainMs_ = kTimerMainIntervalMs;
    int64_t nextNamiMs_ = kTimerNamiIntervalMs;
    int64_t mainTicks_ = 0;
    int64_t namiTicks_ = 0;
    int64_t wakeups_ = 0;  // ticks and wakeups out of sight
    OutOfSight sight_;
};

}  // namespace seastrip
