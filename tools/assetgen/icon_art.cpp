#include <stdexcept>

#include "assetgen.h"

namespace seastrip::assetgen {
namespace {

constexpr int kSize = 32;
constexpr int kHorizon = 18;
constexpr int kSandTop = 27;
constexpr int kSunX = 16;
constexpr int kSunY = 10;

enum Ink : uint8_t {
    kSkyHigh,
    kSkyMid,
    kSkyLow,
    kHaze,
    kSunRim,
    kSun,
    kSunCore,
    kSeaDeep,
    kSea,
    kSeaLight,
    kGlitter,
    kFoam,
    kSand,
    kSandDark,
    kInkCount
};

// Sixteen colours at most: the icon must also pass as a 4-bit picture.
const std::vector<Colour> kPalette{
    {32, 64, 192},   {64, 112, 224},  {112, 160, 248}, {176, 208, 255}, {255, 160, 32},
    {255, 220, 64},  {255, 255, 182}, {0, 56, 136},    {16, 104, 184},  {64, 160, 224},
    {255, 240, 160}, {255, 255, 255}, {240, 220, 150}, {200, 168, 96},
};

Ink SkyInk(int y)
{
    if (y < 5) {
        return kSkyHigh;
    }
    if (y < 11) {
        return kSkyMid;
    }
    return y < kHorizon - 2 ? kSkyLow : kHaze;
}

Ink SeaInk(int x, int y)
{
    // The sun's path of light on the water, narrowing as it nears the horizon.
    const int halfWidth = 1 + (y - kHorizon) / 3;
    if (x >= kSunX - halfWidth && x < kSunX + halfWidth && (x + y) % 2 == 0) {
        return kGlitter;
    }
    // Foam where the waves break on the sand.
    if (y == kSandTop - 1 && (x / 3) % 3 != 2) {
        return kFoam;
    }
    if (y == kSandTop - 2 && (x / 3) % 4 == 1) {
        return kFoam;
    }
    if (y < kHorizon + 3) {
        return kSeaDeep;
    }
    return y < kHorizon + 6 ? kSea : kSeaLight;
}

Ink SunInk(int x, int y, Ink behind)
{
    // Offsets in half pixels from the sun's centre (between the middle two
    // columns), measured at pixel centres; d2 is four times the squared distance.
    const int dx = 2 * (x - kSunX) + 1;
    const int dy = 2 * (y - kSunY) + 1;
    const int d2 = dx * dx + dy * dy;
    if (d2 <= 4 * 16) {
        return kSunCore;
    }
    if (d2 <= 4 * 36) {
        return kSun;
    }
    if (d2 <= 4 * 49) {
        return kSunRim;
    }
    return behind;
}

}  // namespace

IndexedImage MakeIcon()
{
    IndexedImage icon;
    icon.width = kSize;
    icon.height = kSize;
    icon.palette = kPalette;
    icon.index.resize(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Ink ink;
            if (y < kHorizon) {
                ink = SunInk(x, y, SkyInk(y));
            } else if (y < kSandTop) {
                ink = SeaInk(x, y);
            } else {
                ink = (x * 7 + y * 3) % 11 == 0 ? kSandDark : kSand;
            }
            icon.index[y * kSize + x] = ink;
        }
    }
    static_assert(kInkCount <= 16);
    return icon;
}

Bitmap ToBitmap(const IndexedImage& image)
{
    Bitmap bitmap(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            bitmap.Set(x, y, image.palette.at(image.index[y * image.width + x]));
        }
    }
    return bitmap;
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeIco(const IndexedImage& image)
{
    if (image.width != 32 || image.height != 32 || image.palette.size() > 16) {
        throw std::invalid_argument("the icon must be 32 x 32 with at most 16 colours");
    }
    constexpr uint32_t kHeaderSize = 40;
    constexpr uint32_t kPaletteSize = 16 * 4;
    constexpr uint32_t kXorRowBytes = 32 / 2;  // 4 bits a pixel, already a multiple of 4
    constexpr uint32_t kAndRowBytes = 4;       // 1 bit a pixel, padded to 4 bytes
    constexpr uint32_t kImageSize = kHeaderSize + kPaletteSize + 32 * kXorRowBytes + 32 * kAndRowBytes;
    constexpr uint32_t kDirectorySize = 6 + 16;

    std::vector<uint8_t> out;
    // Icon directory: reserved, type 1 (icon), one image.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    // Directory entry: 32 x 32, 16 colours, 1 plane, 4 bits, size, offset.
    out.push_back(32);
    out.push_back(32);
    out.push_back(16);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, kImageSize);
    Put32(out, kDirectorySize);

    // Bitmap header: the height counts the colour rows and the mask rows.
    Put32(out, kHeaderSize);
    Put32(out, 32);
    Put32(out, 64);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);  // no compression
    Put32(out, 32 * kXorRowBytes + 32 * kAndRowBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (size_t i = 0; i < 16; ++i) {
        const Colour c = i < image.palette.size() ? image.palette[i] : Colour{};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    // Colour rows, bottom row first, two pixels a byte with the left one high.
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; x += 2) {
            out.push_back(static_cast<uint8_t>(image.index[y * 32 + x] << 4 | image.index[y * 32 + x + 1]));
        }
    }
    // Transparency mask: all clear, the icon is opaque.
    out.insert(out.end(), 32 * kAndRowBytes, 0);
    return out;
}

}  // namespace seastrip::assetgen
