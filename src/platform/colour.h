#pragma once

#include <cstdint>

namespace seastrip {

// A 24-bit colour. Pixel reads hand colours back packed as red | green << 8 |
// blue << 16, with -1 for a point outside the image, so both forms live here.
struct Colour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend constexpr bool operator==(Colour, Colour) = default;

    constexpr int32_t Packed() const { return r | (g << 8) | (b << 16); }
    static constexpr Colour FromPacked(int32_t v)
    {
        return Colour{static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
                      static_cast<uint8_t>((v >> 16) & 0xFF)};
    }
};

// The value a pixel read gives for a point outside the image.
constexpr int32_t kNoPixel = -1;

}  // namespace seastrip
