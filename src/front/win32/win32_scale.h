#pragma once

// The Windows front's arithmetic between art pixels (what the program lays
// out, 15 twips each, whatever the monitor) and device pixels. Free of
// windows.h, so that it is tested on any system.

#include <algorithm>

#include "platform/twips.h"

namespace seastrip {

// The program always lays out in art pixels of 15 twips; the front alone
// turns them into device pixels.
constexpr float kTwipsPerArtPixel = kTwipsPerPixel;

// Device pixels per art pixel on a monitor of the given dots per inch: whole
// factors only, so that every art pixel is a crisp square block. 150 % (144
// dpi) stays at 1 rather than smearing pixels; 200 % gives 2, 300 % gives 3.
constexpr int ScaleForDpi(int dpi) { return dpi >= 192 ? dpi / 96 : 1; }

// A rectangle in device pixels, right and bottom exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// Where the strip's art pixels land on the desktop: device = origin + art *
// scale. The program reads the screen as artWidth wide with the work area
// ending at artBottom, so a strip docked there sits right on the work area's
// bottom edge even where that edge is not a whole number of art pixels down.
struct StripFrame {
    int scale = 1;
    int originX = 0;
    int originY = 0;
    int artWidth = 0;
    int artBottom = 0;
    friend bool operator==(const StripFrame&, const StripFrame&) = default;
};

// The frame for a monitor and its work area: the strip spans the work
// area's width in whole art pixels, from its left edge, so that it stands
// beside a taskbar at the left or right rather than under it.
inline StripFrame FrameFor(const PixelBox& monitor, const PixelBox& work, int scale)
{
    StripFrame frame;
    frame.scale = std::max(1, scale);
    frame.artWidth = std::max(0, work.right - work.left) / frame.scale;
    frame.artBottom = std::max(0, work.bottom - monitor.top) / frame.scale;
    frame.originX = work.left;
    frame.originY = work.bottom - frame.artBottom * frame.scale;
    return frame;
}

// An art-pixel rectangle of the strip's surface as device pixels of it.
inline PixelBox ScaleBox(const PixelBox& art, int scale)
{
    return PixelBox{art.left * scale, art.top * scale, art.right * scale, art.bottom * scale};
}

// The art pixel under a device pixel of the strip: the block it lies in,
// counted from the strip's corner (rounded down, left of it too).
constexpr int ArtAt(int device, int scale)
{
    return device >= 0 ? device / scale : -((-device + scale - 1) / scale);
}

}  // namespace seastrip
