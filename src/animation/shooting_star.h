#pragma once

#include "state/program.h"

namespace seastrip {

// The night's shooting star, on every wave tick: starts now and then in the
// night scene and, once started, always finishes its ten calls.
void AnimateShootingStar(Program& program, int32_t scene);

}  // namespace seastrip
