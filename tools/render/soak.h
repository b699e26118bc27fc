#pragma once

#include "render_options.h"

namespace seastrip {

// Runs the program headless for many simulated hours, checking its
// invariants after every tick; returns the exit status.
int RunSoak(const RenderOptions& options);

}  // namespace seastrip
