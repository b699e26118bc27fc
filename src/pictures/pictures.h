#pragma once

#include <cstddef>

#include "platform/bitmap.h"

// The pictures the program carries inside itself, decoded on first use.
namespace seastrip::pictures {

Picture Sky();         // 480 x 28: one column per scene value (sky, sea, beach)
Picture SunMask();     // 11 x 43 grey weights of the setting sun
Picture CloudStrip();  // 1600 x 20: fifty 32 x 20 cloud colour frames
Picture Palm();        // 38 x 27 daylight palm, magenta where transparent
Picture Cloud();       // 32 x 25 design picture of a cloud element
Picture Icon();        // 32 x 32 program icon

// Decodes a PNG held in memory into a picture, or nullptr when the bytes are
// not a readable PNG.
Picture Decode(const unsigned char* data, size_t size);

}  // namespace seastrip::pictures
