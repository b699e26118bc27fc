#pragma once

#include "state/program.h"

namespace seastrip {

// Creates the strip's surface and every element as it stands before the load
// runs: design rectangles, colours, pictures and visibility.
void CreateStripElements(Program& program);

}  // namespace seastrip
