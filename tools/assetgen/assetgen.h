#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

// The drawing routines of seastrip-assetgen. Everything is integer arithmetic
// so that every machine produces the same bytes.
namespace seastrip::assetgen {

// The transparent key colour of the palm and cloud pictures.
constexpr Colour kKey{255, 0, 255};

// a + (b - a) * num / den, rounded to the nearest integer (halves away from zero).
int Mix(int a, int b, int64_t num, int64_t den);
Colour MixColour(Colour a, Colour b, int64_t num, int64_t den);

Bitmap MakeSky();         // 480 x 28, one column per scene value
Bitmap MakeSunMask();     // 11 x 43 grey weights
Bitmap MakeCloudStrip();  // 1600 x 20, fifty 32 x 20 frames
Bitmap MakeCloud();       // 32 x 25 design picture of the cloud element
Bitmap MakePalm();        // 38 x 27 daylight palm

// The program icon, 32 x 32, as palette indices and its palette (at most 16).
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> index;
    std::vector<Colour> palette;
};
IndexedImage MakeIcon();
Bitmap ToBitmap(const IndexedImage& image);
// A Windows icon file holding the image as one 4-bit device-independent bitmap.
std::vector<uint8_t> EncodeIco(const IndexedImage& image);

// The wave sound: a complete RIFF/WAVE file, 16-bit mono PCM.
std::vector<uint8_t> MakeSurfWav();

}  // namespace seastrip::assetgen
