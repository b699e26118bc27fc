#pragma once

#include "shell/program.h"

namespace seastrip {

// Shows one wave frame on every wave tile: -1 hides the group (the pause
// between waves); any other value is the outline every tile takes.
void ShowWaveFrame(Program& program, int16_t frame);

}  // namespace seastrip
