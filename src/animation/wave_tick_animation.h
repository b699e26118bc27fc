#pragma once

#include "shell/program.h"

namespace seastrip {

// The night's shooting star: starts now and then in the night scene and,
// once started, always finishes its ten calls.
void AnimateShootingStar(Program& program, int32_t scene);

// The walker on the beach by day: bursts of 20 to 29 one-pixel steps.
void AnimateWalker(Program& program, int32_t scene);

}  // namespace seastrip
