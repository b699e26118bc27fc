#pragma once

#include "state/program.h"

namespace seastrip {

// Cycles the clouds' outlines one step per call and, every third call, lets
// each cloud drift a pixel or two, never onto the sunset sun's span.
void AnimateClouds(Program& program, int32_t scene);

}  // namespace seastrip
