#pragma once

#include <array>
#include <cstdint>

#include "state/program.h"

namespace seastrip {

// One wave cycle, 60 wave ticks (6.6 s): at each step the outline every wave
// tile takes (0..14), or -1 while no wave shows. The start copies it into
// WaveFrames.
inline constexpr std::array<int16_t, 60> kWaveCycle = {
    -1, -1, -1, -1, -1, -1,                 // the pause before the wave
    0,  1,  2,  0,  1,  2,  0,  1,  2,      // foam on the sand
    3,  4,  5,  3,  4,  5,                  //
    6,  7,  8,  9,  10, 11, 12, 13, 14,     // the wave builds and breaks
    12, 13, 14, 12, 13, 14,                 //
    6,  7,  8,                              // and washes out again
    3,  4,  5,                              //
    0,  1,  2,  0,  1,  2,  0,  1,  2,      //
    -1, -1, -1, -1, -1, -1, -1, -1, -1,     // the pause after it
};

// Shows one wave frame on every wave tile: -1 hides the group (the pause
// between waves); any other value is the outline every tile takes.
void ShowWaveFrame(Program& program, int16_t frame);

}  // namespace seastrip
