#pragma once

#include <cstdint>
#include <span>

namespace seastrip {

// Pixels first..last (inclusive) on one scan line of a shape, in element
// pixels from its top-left corner.
struct PixelRun {
    int32_t row;
    int32_t first;
    int32_t last;
};

// Every outline of the region catalogue as pixel runs, row by row: the form the
// shapes are drawn in, before the band rule turns them into rectangles.
// Numbers outside 0..26 have no shape and give an empty list.
std::span<const PixelRun> ShapeRows(int number);

// The foam of wave frames 0..14 on the 320 x 3 wave tile.
std::span<const PixelRun> WaveRows(int frame);

}  // namespace seastrip
