#include <array>

#include "assetgen.h"
#include "regions/region_table.h"
#include "regions/shape_rows.h"

namespace seastrip::assetgen {
namespace {

constexpr int kFrameWidth = 32;
constexpr int kFrameHeight = 20;
constexpr int kFrameCount = 50;
constexpr int kBarTop = 17;

// The cloud body, shared by every frame: rows 1..7 of the clouds' window
// outlines (the rows below hold only their reflection points).
constexpr int kBodyLastRow = 7;

struct CloudLook {
    int frame;
    Colour body;
    Colour rim;
    Colour bar;
};

// White by day, brown and rosy at sunset, crimson, black on navy at night,
// then mauve and pink back to white.
constexpr std::array<CloudLook, 7> kLooks{{
    {0, {255, 255, 255}, {192, 192, 192}, {255, 255, 255}},
    {8, {128, 64, 0}, {254, 209, 203}, {254, 209, 203}},
    {16, {47, 23, 0}, {47, 23, 0}, {47, 23, 0}},
    {24, {47, 23, 0}, {252, 21, 116}, {252, 21, 116}},
    {32, {0, 0, 0}, {0, 0, 0}, {0, 0, 128}},
    {40, {255, 202, 255}, {192, 192, 192}, {255, 202, 255}},
    {48, {255, 255, 255}, {192, 192, 192}, {255, 255, 255}},
}};

bool InBody(int x, int y)
{
    if (y > kBodyLastRow) return false;
    for (const PixelRun& run : ShapeRows(region::kCloudFirst)) {
        if (run.row == y && x >= run.first && x <= run.last) {
            return true;
        }
    }
    return false;
}

// A body pixel with a side open to the sky wears the rim colour.
bool OnRim(int x, int y)
{
    return !InBody(x - 1, y) || !InBody(x + 1, y) || !InBody(x, y - 1) || !InBody(x, y + 1);
}

CloudLook LookOf(int frame)
{
    const int used = frame < kLooks.back().frame ? frame : kLooks.back().frame;
    size_t k = 0;
    while (k + 1 < kLooks.size() && kLooks[k + 1].frame <= used) {
        ++k;
    }
    if (k + 1 == kLooks.size()) {
        return kLooks[k];
    }
    const CloudLook& a = kLooks[k];
    const CloudLook& b = kLooks[k + 1];
    const int n = b.frame - a.frame;
    const int t = used - a.frame;
    return CloudLook{used, MixColour(a.body, b.body, t, n), MixColour(a.rim, b.rim, t, n),
                     MixColour(a.bar, b.bar, t, n)};
}

void DrawFrame(Bitmap& target, int left, const CloudLook& look)
{
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            Colour c = kKey;
            if (y >= kBarTop) {
                c = look.bar;
            } else if (InBody(x, y)) {
                c = OnRim(x, y) ? look.rim : look.body;
            }
            target.Set(left + x, y, c);
        }
    }
}

}  // namespace

Bitmap MakeCloudStrip()
{
    Bitmap strip(kFrameWidth * kFrameCount, kFrameHeight, kKey);
    for (int f = 0; f < kFrameCount; ++f) {
        // The last frame repeats the one before it.
        DrawFrame(strip, f * kFrameWidth, LookOf(f));
    }
    return strip;
}

Bitmap MakeCloud()
{
    Bitmap cloud(kFrameWidth, 25, kKey);
    DrawFrame(cloud, 0, LookOf(0));
    return cloud;
}

}  // namespace seastrip::assetgen
