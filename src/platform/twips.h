#pragma once

#include <algorithm>
#include <cmath>

namespace seastrip {

// Twips to a pixel at the screen resolution the program's pictures are
// drawn for (96 dots to the inch): every front lays the strip out at this
// factor, so one pixel of a picture is one pixel of the strip.
constexpr float kTwipsPerPixel = 15.0f;

// The largest element side in pixels; outlines and sizes are clipped to it, as
// window sizes are on the desktop.
constexpr int kMaxElementPixels = 32767;

// A length in twips as whole pixels: rounded to the nearest, halves to even
// (the default rounding mode), and held within what a window can measure.
// Every front and the stage convert geometry with this one rule.
inline int PixelsFromTwips(float twips, float twipsPerPixel)
{
    if (!(twipsPerPixel > 0.0f) || !std::isfinite(twips)) return 0;
    const double pixels = std::nearbyint(static_cast<double>(twips) / static_cast<double>(twipsPerPixel));
    return static_cast<int>(std::clamp(pixels, -1.0 * kMaxElementPixels, 1.0 * kMaxElementPixels));
}

}  // namespace seastrip
