#pragma once

#include <cstdint>

#include "state/program.h"

namespace seastrip {

// The strip window's load, run by StartProgram: reads the sound switch,
// docks and sizes the strip, places and shapes the elements, lays out and
// paints the first scene, and shows the strip.
void LoadStrip(Program& program);

// Places the strip again after the desktop changed under it (a new work
// area, screen width or monitor): docked on the new bottom edge, and at a new
// width laid out as a fresh start would (sun, clouds, wave and star tiles),
// keeping the scene, the menu's marks and where the waves stand. Returns
// whether anything changed; nothing does when the metrics are the same.
bool RelayoutStrip(Program& program);

// The strip's bottom edge in twips, from the two screen metrics.
int32_t ScreenBottomTwips(const Platform& platform);

// The strip's height in pixels, on every desktop and at every scale.
constexpr int kStripHeightPixels = 28;

// How many candidates a cloud draws before giving up on a screen where no
// tenth of the width is clear of the sun.
constexpr int kCloudPlacementAttempts = 1000;

// A press on the strip's own surface: the right button opens the popup menu
// and runs what is chosen from it.
void StripMouseDown(Program& program, MouseButton button);

}  // namespace seastrip
