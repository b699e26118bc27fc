#pragma once

#include <memory>
#include <string>

#include "front/headless/headless_platform.h"
#include "front/headless/simulated_timers.h"
#include "state/program.h"

namespace seastrip {

// The real program on the software stage with its simulated timers: the one
// way the render tool, the tests, the soak and the bench start it. The
// program is made at once and started by Start(), so that a caller can set
// the clock or script the random source in between.
struct HeadlessRun {
    explicit HeadlessRun(const HeadlessPlatform::Options& options = {});
    // Made and started with the clock at `clockSeconds` past midnight.
    HeadlessRun(const HeadlessPlatform::Options& options, double clockSeconds);

    void Start();
    // Lets simulated time pass; false once the program has ended.
    bool Run(int64_t ms, const std::function<void(SimulatedTimers::Tick)>& afterTick = {})
    {
        return timers.Run(ms, afterTick);
    }

    HeadlessPlatform platform;
    std::unique_ptr<Program> program;
    SimulatedTimers timers;
};

// Applies a menu choice by name (auto, morning, noon, evening, night,
// sound-on, sound-off) as the popup menu would.
void ApplyChoice(Program& program, const std::string& choice);

// Shows a scene value as the scene commands do: set, lay out, paint.
void ShowScene(Program& program, int scene);

}  // namespace seastrip
