#pragma once

#include "shell/program.h"

namespace seastrip {

// The program's start: fills the region table, gives the shared state its
// start values, loads the strip window (elements, first scene) and starts the
// two timers. A front calls it once, then runs its event loop.
void StartProgram(Program& program);

// The strip window's load, run by StartProgram.
void LoadStrip(Program& program);

// The strip's bottom edge in twips, from the two screen metrics.
int32_t ScreenBottomTwips(const Platform& platform);

// How many candidates a cloud draws before giving up on a screen where no
// tenth of the width is clear of the sun.
constexpr int kCloudPlacementAttempts = 1000;

// A mouse press on the strip's own surface (1 left, 2 right, 4 middle).
void StripMouseDown(Program& program, int button);

}  // namespace seastrip
