#pragma once

#include "state/program.h"

namespace seastrip {

// The program's start: fills the region table, gives the shared state its
// start values, loads the strip window (elements, first scene) and starts the
// two timers. A front calls it once, then runs its event loop.
void StartProgram(Program& program);

}  // namespace seastrip
