// The committed pictures and wave sound: their key colours, band and frame
// structure, the outlines the window shapes rely on, and the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pictures/pictures.h"
#include "temp_files.h"

namespace seastrip::testing {
namespace {

constexpr Colour kMagenta{255, 0, 255};

// A committed asset's bytes with its little-endian fields.
struct FileBytes {
    explicit FileBytes(const char* name) : bytes(Slurp(std::string(SEASTRIP_SOURCE_DIR) + "/assets/" + name)) {}
    std::string bytes;
    uint32_t U8(size_t at) const { return static_cast<unsigned char>(bytes[at]); }
    uint32_t U16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
};

// The opaque (non-magenta) pixels of one row of a picture's frame, written
// as "3-5 8 10-12".
std::string OpaqueRuns(const Bitmap& b, int left, int width, int y)
{
    auto opaque = [&](int x) { return x >= 0 && x < width && b.At(left + x, y) != kMagenta; };
    std::string runs;
    for (int x = 0; x < width; ++x) {
        if (!opaque(x) || opaque(x - 1)) continue;
        int last = x;
        while (opaque(last + 1)) ++last;
        runs += (runs.empty() ? "" : " ") + std::to_string(x) + (last > x ? "-" + std::to_string(last) : "");
    }
    return runs;
}

std::string Show(Colour c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

// ---------------------------------------------------------------- sky

struct SkyKey {
    int column;
    Colour rows[6];
};
constexpr int kSkyKeyRows[6] = {0, 15, 16, 23, 24, 27};
constexpr SkyKey kSkyKeys[] = {
    {0, {{0, 0, 255}, {85, 145, 255}, {36, 203, 255}, {177, 255, 233}, {255, 255, 205}, {255, 255, 147}}},
    {60, {{201, 188, 231}, {201, 188, 231}, {225, 207, 231}, {246, 231, 231}, {212, 212, 136}, {200, 198, 98}}},
    {180, {{255, 72, 72}, {227, 135, 125}, {186, 55, 39}, {141, 25, 25}, {128, 128, 0}, {92, 85, 0}}},
    {285, {{95, 29, 90}, {255, 0, 128}, {104, 21, 8}, {73, 0, 0}, {73, 73, 0}, {52, 48, 0}}},
    {345, {{0, 0, 105}, {22, 0, 87}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {405, {{227, 212, 255}, {53, 72, 171}, {18, 101, 127}, {88, 127, 116}, {127, 127, 102}, {127, 127, 73}}},
    {465, {{45, 42, 255}, {85, 145, 255}, {36, 203, 255}, {177, 255, 233}, {255, 255, 205}, {255, 255, 147}}},
};

int Channel(Colour c, int k)
{
    return k == 0 ? c.r : (k == 1 ? c.g : c.b);
}

TEST(SkyPicture, KeyColumnsAreExactBandsAreStraightGradientsAndTheDayChangesGraduallyBackToDawn)
{
    const Picture sky = pictures::Sky();
    ASSERT_EQ(sky->width, 480);
    ASSERT_EQ(sky->height, 28);
    for (const SkyKey& key : kSkyKeys)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(sky->At(key.column, kSkyKeyRows[i]), key.rows[i])
                << "column " << key.column << " row " << kSkyKeyRows[i] << " is "
                << Show(sky->At(key.column, kSkyKeyRows[i]));

    // Between the keys every band is a straight gradient, and each column
    // differs little from the next.
    const std::pair<int, int> bands[] = {{0, 15}, {16, 23}, {24, 27}};  // sky, sea, beach
    for (int x = 0; x < 480; ++x) {
        const int next = (x + 1) % 480;  // the day wraps from 479 back to 0
        for (auto [top, bottom] : bands) {
            for (int y = top; y <= bottom; ++y) {
                for (int k = 0; k < 3; ++k) {
                    const int a = Channel(sky->At(x, top), k);
                    const double straight = a + (Channel(sky->At(x, bottom), k) - a) * (y - top) / (bottom - top + 0.0);
                    EXPECT_LE(std::abs(Channel(sky->At(x, y), k) - straight), 1.0)
                        << "column " << x << " row " << y << " channel " << k;
                    EXPECT_LE(std::abs(Channel(sky->At(next, y), k) - Channel(sky->At(x, y), k)), 8)
                        << "jump between columns " << x << " and " << next << " at row " << y;
                }
            }
        }
        // Late in the dawn the horizon, sea and beach already wear the day's colours.
        for (int y = 15; y < 28 && x >= 465; ++y) EXPECT_EQ(sky->At(x, y), sky->At(0, y)) << x << "," << y;
    }
}

// ---------------------------------------------------------------- sun mask

TEST(SunMaskPicture, HoldsTheDiscWeightsExactly)
{
    const int disc[11][11] = {
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
    const Picture mask = pictures::SunMask();
    ASSERT_EQ(mask->width, 11);
    ASSERT_EQ(mask->height, 43);
    for (int y = 0; y < 43; ++y) {
        for (int x = 0; x < 11; ++x) {
            const auto w = static_cast<uint8_t>(y >= 16 && y <= 26 ? disc[y - 16][x] : 255);
            EXPECT_EQ(mask->At(x, y), (Colour{w, w, w})) << "x " << x << " y " << y;
        }
    }
}

// ---------------------------------------------------------------- clouds

// The cloud body, rows 1 to 7. The outlines' reflection points on row 18
// fall on the solid bar below it.
const char* const kCloudBody[8] = {"", "12-18 20", "7-25", "6-26", "4-27", "3-28", "3-16 20-27", "5-8 22-24"};

struct CloudKey {
    int frame;
    Colour body;
    Colour rim;
    Colour bar;
};
constexpr CloudKey kCloudKeys[] = {
    {0, {255, 255, 255}, {192, 192, 192}, {255, 255, 255}},
    {8, {128, 64, 0}, {254, 209, 203}, {254, 209, 203}},
    {16, {47, 23, 0}, {47, 23, 0}, {47, 23, 0}},
    {24, {47, 23, 0}, {252, 21, 116}, {252, 21, 116}},
    {32, {0, 0, 0}, {0, 0, 0}, {0, 0, 128}},
    {40, {255, 202, 255}, {192, 192, 192}, {255, 202, 255}},
    {48, {255, 255, 255}, {192, 192, 192}, {255, 255, 255}},
};

// The body, rim and bar colours of one frame, read where each must show.
CloudKey LookOfFrame(const Bitmap& strip, int frame)
{
    const int left = 32 * frame;
    return CloudKey{frame, strip.At(left + 10, 4), strip.At(left + 12, 1), strip.At(left, 17)};
}

TEST(CloudStripPicture, EveryFrameHasTheOutlineBodyWithItsRimAndASolidBar)
{
    const Picture strip = pictures::CloudStrip();
    ASSERT_EQ(strip->width, 1600);
    ASSERT_EQ(strip->height, 20);
    for (int f = 0; f < 50; ++f) {
        const int left = 32 * f;
        for (int y = 0; y < 17; ++y)
            ASSERT_EQ(OpaqueRuns(*strip, left, 32, y), y <= 7 ? kCloudBody[y] : "") << "frame " << f << " row " << y;
        // A body pixel with a side open to the sky wears the rim colour.
        auto inBody = [&](int x, int y) { return x >= 0 && x < 32 && strip->At(left + x, y) != kMagenta; };
        const CloudKey look = LookOfFrame(*strip, f);
        for (int y = 1; y <= 7; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (!inBody(x, y)) continue;
                const bool rim = !inBody(x - 1, y) || !inBody(x + 1, y) || !inBody(x, y - 1) || !inBody(x, y + 1);
                EXPECT_EQ(strip->At(left + x, y), rim ? look.rim : look.body) << "frame " << f << " " << x << "," << y;
            }
        }
        for (int y = 17; y < 20; ++y)
            for (int x = 0; x < 32; ++x) EXPECT_EQ(strip->At(left + x, y), look.bar) << "frame " << f << " bar " << x;
        EXPECT_NE(look.bar, kMagenta) << "frame " << f;
    }
}

TEST(CloudStripPicture, KeyFramesAreExactFramesBetweenStayBetweenTheLastRepeatsAndTheFirstIsTheCloud)
{
    const Picture strip = pictures::CloudStrip();
    for (size_t k = 0; k < std::size(kCloudKeys); ++k) {
        const CloudKey& a = kCloudKeys[k];
        const CloudKey look = LookOfFrame(*strip, a.frame);
        EXPECT_EQ(look.body, a.body) << "frame " << a.frame << " body " << Show(look.body);
        EXPECT_EQ(look.rim, a.rim) << "frame " << a.frame << " rim " << Show(look.rim);
        EXPECT_EQ(look.bar, a.bar) << "frame " << a.frame << " bar " << Show(look.bar);
        const CloudKey& b = kCloudKeys[std::min(k + 1, std::size(kCloudKeys) - 1)];
        for (int f = a.frame + 1; f < b.frame; ++f) {
            const CloudKey between = LookOfFrame(*strip, f);
            const Colour parts[3][3] = {
                {between.body, a.body, b.body}, {between.rim, a.rim, b.rim}, {between.bar, a.bar, b.bar}};
            for (const auto& [got, from, to] : parts) {
                for (int c = 0; c < 3; ++c) {
                    EXPECT_GE(Channel(got, c), std::min(Channel(from, c), Channel(to, c))) << "frame " << f;
                    EXPECT_LE(Channel(got, c), std::max(Channel(from, c), Channel(to, c))) << "frame " << f;
                }
            }
        }
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(strip->At(49 * 32 + x, y), strip->At(48 * 32 + x, y)) << x << "," << y;

    // The lone cloud picture is the daylight frame above key colour.
    const Picture cloud = pictures::Cloud();
    ASSERT_EQ(cloud->width, 32);
    ASSERT_EQ(cloud->height, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(cloud->At(x, y), y < 20 ? strip->At(x, y) : kMagenta) << x << "," << y;
}

// ---------------------------------------------------------------- palm

TEST(PalmPicture, OpaquePixelsAreExactlyThePalmOutline)
{
    const char* const rows[27] = {
        "13-33", "13-28 30-35", "12-30 32-33", "11-15 17-19 21-24 26-27 29-31 33-34",
        "11-14 17 19 22 24 26-33 35", "10-14 17 20 22-27 29 31-35", "10-14 17 19-20 22 25-27 29-30 32-34",
        "10-13 16 18 20 25-26 28-31 33", "9-13 16 19 21 24-25 28-29 33-36", "9-12 19 24-25 27 29 33-34",
        "8-12 24 29 35", "8-11 24 29 35", "8-11 28 35", "7-11", "7-11", "6-10", "6-10", "5-10", "5-9", "4-9",
        "4-9", "4-8", "3-8", "2-8", "2-7", "1-7", "0-7",
    };
    const Picture palm = pictures::Palm();
    ASSERT_EQ(palm->width, 38);
    ASSERT_EQ(palm->height, 27);
    for (int y = 0; y < 27; ++y) EXPECT_EQ(OpaqueRuns(*palm, 0, 38, y), rows[y]) << "row " << y;
    // A brown trunk at the foot and green fronds in the crown.
    const Colour trunk = palm->At(3, 26);
    EXPECT_TRUE(trunk.r > trunk.g && trunk.g > trunk.b) << Show(trunk);
    for (int x = 16; x <= 28; ++x) {
        const Colour leaf = palm->At(x, 1);
        EXPECT_TRUE(leaf.g > leaf.r && leaf.g > leaf.b) << "x " << x << " " << Show(leaf);
    }
}

// ---------------------------------------------------------------- icon

TEST(IconPicture, IsASixteenColourPictureAndTheIconFileHoldsIt)
{
    const Picture icon = pictures::Icon();
    ASSERT_EQ(icon->width, 32);
    ASSERT_EQ(icon->height, 32);
    const FileBytes ico("icon.ico");
    ASSERT_GE(ico.bytes.size(), 22u);
    ASSERT_EQ((std::vector{ico.U16(0), ico.U16(2), ico.U16(4), ico.U8(6), ico.U8(7)}), (std::vector{0u, 1u, 1u, 32u, 32u}))
        << "an icon file of one image, 32 x 32";
    const uint32_t offset = ico.U32(18);
    ASSERT_EQ(offset + ico.U32(14), ico.bytes.size()) << "the image ends the file";
    ASSERT_EQ((std::vector{ico.U32(offset), ico.U16(offset + 14), ico.U32(offset + 8)}), (std::vector{40u, 4u, 64u}))
        << "a bitmap header, four bits a pixel, colour rows and mask rows";
    const size_t palette = offset + 40;
    const size_t pixels = palette + 16 * 4;
    std::set<int32_t> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const uint32_t pair = ico.U8(pixels + (31 - y) * 16 + x / 2);
            const size_t entry = palette + (x % 2 == 0 ? pair >> 4 : pair & 15) * 4;
            const Colour fromIco{static_cast<uint8_t>(ico.U8(entry + 2)), static_cast<uint8_t>(ico.U8(entry + 1)),
                                 static_cast<uint8_t>(ico.U8(entry))};
            EXPECT_EQ(fromIco, icon->At(x, y)) << "x " << x << " y " << y;
            colours.insert(icon->At(x, y).Packed());
        }
    }
    EXPECT_LE(colours.size(), 16u);
    EXPECT_GE(colours.size(), 4u) << "a picture, not a blank";
}

// ---------------------------------------------------------------- wave sound

TEST(WaveSound, IsAShortAudibleSixteenBitPcmFileBesideThePrograms)
{
    // The plain layout: a 16-byte format chunk, then the samples.
    const FileBytes wav("zem.wav");
    ASSERT_GE(wav.bytes.size(), 44u);
    EXPECT_LE(wav.bytes.size(), 300u * 1024u);
    EXPECT_EQ(wav.bytes.substr(0, 4) + wav.bytes.substr(8, 8) + wav.bytes.substr(36, 4), "RIFFWAVEfmt data");
    EXPECT_EQ(wav.U32(4), wav.bytes.size() - 8);
    EXPECT_EQ((std::vector{wav.U32(16), wav.U16(20), wav.U16(22), wav.U16(34)}), (std::vector{16u, 1u, 1u, 16u}))
        << "a 16-byte format chunk: PCM, mono, 16 bits a sample";
    ASSERT_EQ(wav.U32(40), wav.bytes.size() - 44);
    const size_t samples = (wav.bytes.size() - 44) / 2;
    const double seconds = static_cast<double>(samples) / wav.U32(24);
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 3.0);

    double sum = 0;
    for (size_t i = 0; i < samples; ++i) {
        const auto v = static_cast<int16_t>(wav.U16(44 + 2 * i));
        sum += static_cast<double>(v) * v;
    }
    EXPECT_GT(std::sqrt(sum / samples), 1000.0) << "loud enough to hear";

    EXPECT_EQ(Slurp(std::string(SEASTRIP_BINARY_DIR) + "/zem.wav"), wav.bytes)
        << "the build puts the sound beside the executables";
}

// ---------------------------------------------------------------- loader

TEST(PictureDecode, RefusesWhatIsNotAWholePng)
{
    const std::string png = FileBytes("sky.png").bytes;
    ASSERT_GT(png.size(), 100u);
    auto decode = [](const std::string& bytes) {
        return pictures::Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(pictures::Decode(nullptr, 0), nullptr);
    // Chunks that claim more bytes than the file has, or a header claiming a
    // vast picture, are refused before anything is reserved for them.
    const std::pair<const char*, std::string> refused[] = {
        {"no bytes", png.substr(0, 0)},
        {"truncated", png.substr(0, png.size() / 2)},
        {"signature only", png.substr(0, 8)},
        {"garbage", "this is certainly not a picture of the sea"},
        {"a wrong signature", png.substr(0, 1) + "Q" + png.substr(2)},
        {"the first chunk after the header claiming ~2 GB", png.substr(0, 33) + '\x7F' + png.substr(34)},
        {"65536 x 65536", png.substr(0, 16) + std::string("\0\1\0\0\0\1\0\0", 8) + png.substr(24)},
    };
    for (const auto& [what, bytes] : refused) EXPECT_EQ(decode(bytes), nullptr) << what;

    // The whole file decodes to the same pixels as the embedded copy.
    const Picture decoded = decode(png);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->width, 480);
    EXPECT_EQ(decoded->rgb, pictures::Sky()->rgb);
}

}  // namespace
}  // namespace seastrip::testing
