#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/bitmap.h"
#include "stage/pixel_rect.h"

namespace seastrip {

// The frame enlarged by a whole factor, every pixel a crisp factor x factor
// block: pixel art stays pixel art on a high-resolution screen or a web page.
// A factor below 2 gives a plain copy.
Bitmap ScaleNearest(const Bitmap& frame, int factor);

// The same enlargement for a rectangle of the frame (frame pixels, cut to
// the frame), written into an image of 32-bit words 0x00RRGGBB in the
// machine's byte order, as cairo's RGB24 images and 24-bit true-colour X
// servers lay pixels out. The image is factor times the frame's size and
// stride bytes a row; the rest of it is left as it is, so a tick writes only
// what it changed.
void ScaleNearestInto(const Bitmap& frame, const PixelRect& rect, int factor, uint8_t* pixels, ptrdiff_t stride);

}  // namespace seastrip
