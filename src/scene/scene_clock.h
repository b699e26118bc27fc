#pragma once

#include "shell/program.h"

namespace seastrip {

// Scene values: 0 day, 1..344 sunset, 345 night, 346..479 dawn.
constexpr int32_t kSceneDay = 0;
constexpr int32_t kSceneNight = 345;
constexpr int32_t kSceneLast = 479;

// The hour each scene choice stands for; index 0 (auto) follows the clock.
constexpr int kChoiceHours[5] = {-1, 5, 6, 18, 19};

// Recomputes SceneNow from the clock or the scene choice, one step through a
// transition at a time; moves the check mark when a fixed evening or morning
// has run to its end.
void ComputeScene(Program& program);

}  // namespace seastrip
