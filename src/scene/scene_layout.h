#pragma once

#include "state/program.h"

namespace seastrip {

// Adapts the elements to the scene: wave colour, stars, cloud colours, the
// palm's picture and the sun's glitter on the sea. Each step remembers what it
// last applied and skips the work when nothing would change.
void LayoutScene(Program& program, int32_t scene);

void ColourWaves(Program& program, int32_t scene);
void ShowStars(Program& program, int32_t scene);
void ColourClouds(Program& program, int32_t scene);
void ChoosePalmPicture(Program& program, int32_t scene);
void ShowSunGlitter(Program& program, int32_t scene);

// The looks each step picks for a scene.
Colour WaveColourFor(int32_t scene);
int StarLevelFor(int32_t scene);  // grey level, or -1 when the stars are hidden
int CloudFrameFor(int32_t scene);
int PalmSourceFor(int32_t scene);

}  // namespace seastrip
