#pragma once

#include "state/program.h"

namespace seastrip {

// The walker on the beach by day, on every wave tick: bursts of 20 to 29
// one-pixel steps.
void AnimateWalker(Program& program, int32_t scene);

}  // namespace seastrip
