#include <array>
#include <cstdlib>

#include "assetgen.h"

namespace seastrip::assetgen {

int Mix(int a, int b, int64_t num, int64_t den)
{
    const int64_t scaled = static_cast<int64_t>(b - a) * num;
    const int64_t magnitude = (2 * (scaled < 0 ? -scaled : scaled) + den) / (2 * den);
    return a + static_cast<int>(scaled < 0 ? -magnitude : magnitude);
}

Colour MixColour(Colour a, Colour b, int64_t num, int64_t den)
{
    return Colour{static_cast<uint8_t>(Mix(a.r, b.r, num, den)), static_cast<uint8_t>(Mix(a.g, b.g, num, den)),
                  static_cast<uint8_t>(Mix(a.b, b.b, num, den))};
}

namespace {

constexpr int kSkyWidth = 480;
constexpr int kSkyHeight = 28;

// The six rows that fix a column: top and bottom of the sky, sea and beach bands.
constexpr std::array<int, 6> kKeyRows{0, 15, 16, 23, 24, 27};

struct KeyColumn {
    int column;
    std::array<Colour, 6> rows;
};

// The looks the strip passes through over a day: daylight, the sunset's
// lilac and red and crimson, night, and a pale dawn returning to day.
constexpr std::array<KeyColumn, 7> kKeyColumns{{
    {0, {{{0, 0, 255}, {85, 145, 255}, {36, 203, 255}, {177, 255, 233}, {255, 255, 205}, {255, 255, 147}}}},
    {60, {{{201, 188, 231}, {201, 188, 231}, {225, 207, 231}, {246, 231, 231}, {212, 212, 136}, {200, 198, 98}}}},
    {180, {{{255, 72, 72}, {227, 135, 125}, {186, 55, 39}, {141, 25, 25}, {128, 128, 0}, {92, 85, 0}}}},
    {285, {{{95, 29, 90}, {255, 0, 128}, {104, 21, 8}, {73, 0, 0}, {73, 73, 0}, {52, 48, 0}}}},
    {345, {{{0, 0, 105}, {22, 0, 87}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}},
    {405, {{{227, 212, 255}, {53, 72, 171}, {18, 101, 127}, {88, 127, 116}, {127, 127, 102}, {127, 127, 73}}}},
    {465, {{{45, 42, 255}, {85, 145, 255}, {36, 203, 255}, {177, 255, 233}, {255, 255, 205}, {255, 255, 147}}}},
}};

// The key-row colours of one column. Between key columns the colours ease in
// and out (smoothstep), so the sky lingers on each look and never changes
// pace abruptly. After the last key the zenith closes the day by easing back
// to column 0; the rest already wears the day colours.
std::array<Colour, 6> KeyRowsOf(int column)
{
    size_t k = 0;
    while (k + 1 < kKeyColumns.size() && kKeyColumns[k + 1].column <= column) {
        ++k;
    }
    const KeyColumn& from = kKeyColumns[k];
    std::array<Colour, 6> to = k + 1 < kKeyColumns.size() ? kKeyColumns[k + 1].rows : kKeyColumns[0].rows;
    const int toColumn = k + 1 < kKeyColumns.size() ? kKeyColumns[k + 1].column : kSkyWidth;
    const int64_t n = toColumn - from.column;
    const int64_t t = column - from.column;
    const int64_t easeNum = t * t * (3 * n - 2 * t);
    const int64_t easeDen = n * n * n;
    std::array<Colour, 6> result{};
    for (size_t r = 0; r < result.size(); ++r) {
        result[r] = MixColour(from.rows[r], to[r], easeNum, easeDen);
    }
    return result;
}

}  // namespace

Bitmap MakeSky()
{
    Bitmap sky(kSkyWidth, kSkyHeight);
    for (int x = 0; x < kSkyWidth; ++x) {
        const std::array<Colour, 6> keys = KeyRowsOf(x);
        // Each band is a straight gradient between its top and bottom rows.
        for (size_t band = 0; band < 3; ++band) {
            const int top = kKeyRows[band * 2];
            const int bottom = kKeyRows[band * 2 + 1];
            for (int y = top; y <= bottom; ++y) {
                sky.Set(x, y, MixColour(keys[band * 2], keys[band * 2 + 1], y - top, bottom - top));
            }
        }
    }
    return sky;
}

Bitmap MakeSunMask()
{
    // Weights with which the sky shows through the sun: 0 is solid sun, 255 pure sky.
    constexpr int kDisc[11][11] = {
        {255, 255, 255, 195, 195, 195, 195, 195, 255, 255, 255},
        {255, 255, 195, 143, 124, 124, 124, 143, 195, 255, 255},
        {255, 195, 124, 83, 0, 0, 0, 83, 124, 195, 255},
        {195, 143, 83, 0, 0, 0, 0, 0, 83, 143, 195},
        {195, 124, 0, 0, 0, 0, 0, 0, 0, 124, 195},
        {195, 124, 0, 0, 0, 0, 0, 0, 0, 124, 195},
        {195, 124, 0, 0, 0, 0, 0, 0, 0, 124, 200},
        {195, 143, 83, 0, 0, 0, 0, 0, 83, 143, 200},
        {255, 195, 124, 83, 0, 0, 0, 83, 124, 195, 255},
        {255, 255, 195, 143, 124, 124, 124, 143, 195, 255, 255},
        {255, 255, 255, 200, 195, 195, 195, 200, 255, 255, 255},
    };
    constexpr int kDiscTop = 16;
    Bitmap mask(11, 43, Colour{255, 255, 255});
    for (int row = 0; row < 11; ++row) {
        for (int x = 0; x < 11; ++x) {
            const auto w = static_cast<uint8_t>(kDisc[row][x]);
            mask.Set(x, kDiscTop + row, Colour{w, w, w});
        }
    }
    return mask;
}

}  // namespace seastrip::assetgen
