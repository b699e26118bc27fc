#pragma once

#include "state/program.h"

namespace seastrip {

constexpr int kTimerMainIntervalMs = 250;
constexpr int kTimerNamiIntervalMs = 110;

// The two heartbeat ticks; a front's timers call them.
void TimerMainTick(Program& program);
void TimerNamiTick(Program& program);

// The wave sound of a cycle's start, when the sound switch is on.
void PlayWaveSound(Program& program);

}  // namespace seastrip
