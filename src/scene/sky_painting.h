#pragma once

#include "state/program.h"

namespace seastrip {

// The sun's colour, into which the sky is blended.
constexpr Colour kSunColour{255, 255, 182};

// Paints the strip's background and, during a sunset, the setting sun.
void PaintSky(Program& program, int32_t scene);
// The sky column of the scene stretched across the whole strip.
void PaintSkyStrip(Program& program, int32_t scene);
// Shows, draws or hides the sunset sun.
void PaintSunsetSun(Program& program, int32_t scene);

// One component of the blend: the sky shows through with weight n/255.
int BlendComponent(int sky, int sun, int n);

}  // namespace seastrip
