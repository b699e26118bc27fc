#pragma once

#include "render_options.h"

namespace seastrip {

// Writes an animation of the strip as the program runs from one clock time
// to another, time compressed; returns the exit status.
int RenderTimelapse(const RenderOptions& options);

}  // namespace seastrip
