#include "front/headless/simulated_timers.h"

#include "shell/timers.h"

namespace seastrip {

bool SimulatedTimers::Run(int64_t ms, const std::function<void(Tick)>& afterTick)
{
    const int64_t end = nowMs_ + ms;
    try {
        for (;;) {
            if (sight_.Active()) {
                const int64_t wake = sight_.ToNextWakeMs(program_, nowMs_);
                if (wake < 0 || nowMs_ + wake > end) break;
                platform_.AdvanceClock(static_cast<double>(wake) / 1000.0);
                nowMs_ += wake;
                ++wakeups_;
                sight_.Wake(program_, nowMs_);
                continue;
            }
            const bool mainFirst = nextMainMs_ <= nextNamiMs_;
            const int64_t due = mainFirst ? nextMainMs_ : nextNamiMs_;
            if (due > end) break;
            platform_.AdvanceClock(static_cast<double>(due - nowMs_) / 1000.0);
            nowMs_ = due;
            if (mainFirst) {
                nextMainMs_ += kTimerMainIntervalMs;
                ++mainTicks_;
                ++wakeups_;
                TimerMainTick(program_);
                if (afterTick) afterTick(Tick::Main);
            } else {
                nextNamiMs_ += kTimerNamiIntervalMs;
                ++namiTicks_;
                ++wakeups_;
                TimerNamiTick(program_);
                if (afterTick) afterTick(Tick::Nami);
            }
        }
    } catch (const ProgramEnded&) {
        return false;
    }
    platform_.AdvanceClock(static_cast<double>(end - nowMs_) / 1000.0);
    nowMs_ = end;
    return true;
}

void SimulatedTimers::LeaveSight() { sight_.Leave(program_, nowMs_, nextNamiMs_ - nowMs_); }

// The timers start again from the return, the wave timer on its old beat.
void SimulatedTimers::ReturnToSight()
{
    if (!sight_.Active()) return;
    nextNamiMs_ = nowMs_ + sight_.Return(program_, nowMs_);
    nextMainMs_ = nowMs_ + kTimerMainIntervalMs;
}

}  // namespace seastrip
