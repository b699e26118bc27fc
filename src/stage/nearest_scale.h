#pragma once

#include "platform/bitmap.h"

namespace seastrip {

// The frame enlarged by a whole factor, every pixel a crisp factor x factor
// block: pixel art stays pixel art on a high-resolution screen or a web page.
// A factor below 2 gives a plain copy.
Bitmap ScaleNearest(const Bitmap& frame, int factor);

}  // namespace seastrip
