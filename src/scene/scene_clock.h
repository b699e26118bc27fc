#pragma once

#include "state/program.h"
#include "state/scene_values.h"

namespace seastrip {

// The hour each scene choice stands for; index 0 (auto) follows the clock.
constexpr int kChoiceHours[5] = {-1, 5, 6, 18, 19};

// Recomputes SceneNow from the clock or the scene choice, one step through a
// transition at a time; moves the check mark when a fixed evening or morning
// has run to its end.
void ComputeScene(Program& program);
// The same step with the local hour given rather than read from the clock:
// the scene clock catching up on computations it missed.
void ComputeScene(Program& program, int localHour);

}  // namespace seastrip
