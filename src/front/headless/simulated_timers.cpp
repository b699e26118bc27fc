#include "front/headless/simulated_timers.h"

#include "shell/timers.h"

namespace seastrip {

bool SimulatedTimers::Run(int64_t ms, const std::function<void(Tick)>& afterTick)
{
    const int64_t end = nowMs_ + ms;
    try {
        for (;;) {
            const bool mainFirst = nextMainMs_ <= nextNamiMs_;
            const int64_t due = mainFirst ? nextMainMs_ : nextNamiMs_;
            if (due > end) break;
            platform_.AdvanceClock(static_cast<double>(due - nowMs_) / 1000.0);
            nowMs_ = due;
            if (mainFirst) {
                nextMainMs_ += kTimerMainIntervalMs;
                ++mainTicks_;
                TimerMainTick(program_);
                if (afterTick) afterTick(Tick::Main);
            } else {
                nextNamiMs_ += kTimerNamiIntervalMs;
                ++namiTicks_;
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

}  // namespace seastrip
