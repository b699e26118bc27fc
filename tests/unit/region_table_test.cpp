// The region table: every outline in the catalogue, checked against shapes
// written out again here and converted by this file's own band rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/element.h"
#include "regions/band_rule.h"
#include "regions/region_table.h"

namespace seastrip {
namespace {

constexpr int kMaxWidth = 322;   // edges run from 0 to 321
constexpr int kMaxHeight = 28;   // edges run from 0 to 27

// One or more scan lines with the same pixels, in the catalogue's notation:
// "3-5, 8" is x = 3 to 5 and x = 8.
struct Lines {
    int first;
    int last;
    const char* pixels;
};

using Grid = std::vector<std::vector<bool>>;

Grid GridFrom(const std::vector<Lines>& shape)
{
    Grid grid(kMaxHeight, std::vector<bool>(kMaxWidth, false));
    for (const Lines& lines : shape) {
        std::istringstream in(lines.pixels);
        std::string item;
        while (std::getline(in, item, ',')) {
            const size_t dash = item.find('-');
            const int from = std::stoi(item.substr(0, dash));
            const int to = dash == std::string::npos ? from : std::stoi(item.substr(dash + 1));
            for (int y = lines.first; y <= lines.last; ++y) {
                for (int x = from; x <= to; ++x) {
                    grid[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;
                }
            }
        }
    }
    return grid;
}

Grid GridFrom(const RegionRecord& record)
{
    Grid grid(kMaxHeight, std::vector<bool>(kMaxWidth, false));
    for (uint32_t i = 0; i < record.header.nCount; ++i) {
        // Clipped to the grid: edges outside it are reported elsewhere.
        const RegionRect& r = record.rects[i];
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, kMaxHeight); ++y) {
            for (int x = std::max(r.left, 0); x < std::min(r.right, kMaxWidth); ++x) {
                grid[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;
            }
        }
    }
    return grid;
}

// The band rule, scanning the pixel grid line by line: a line whose runs equal
// the line above extends that band; any other line starts a new one.
std::vector<RegionRect> Bands(const Grid& grid)
{
    std::vector<RegionRect> rects;
    std::vector<std::pair<int, int>> above;  // runs of the previous line, [left, right)
    size_t bandStart = 0;
    for (int y = 0; y < kMaxHeight; ++y) {
        std::vector<std::pair<int, int>> runs;
        const auto& line = grid[static_cast<size_t>(y)];
        for (int x = 0; x < kMaxWidth; ++x) {
            if (line[static_cast<size_t>(x)] && (x == 0 || !line[static_cast<size_t>(x - 1)])) {
                int end = x;
                while (end < kMaxWidth && line[static_cast<size_t>(end)]) {
                    ++end;
                }
                runs.emplace_back(x, end);
            }
        }
        if (!runs.empty() && runs == above) {
            for (size_t i = bandStart; i < rects.size(); ++i) {
                rects[i].bottom = y + 1;
            }
        } else {
            bandStart = rects.size();
            for (const auto& [left, right] : runs) {
                rects.push_back(RegionRect{left, y, right, y + 1});
            }
        }
        above = runs;
    }
    return rects;
}

std::string Show(const RegionRect& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

void ExpectSameRects(const RegionRecord& record, const std::vector<RegionRect>& expected)
{
    ASSERT_EQ(record.header.nCount, expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const RegionRect& got = record.rects[i];
        const RegionRect& want = expected[i];
        EXPECT_TRUE(got.left == want.left && got.top == want.top && got.right == want.right &&
                    got.bottom == want.bottom)
            << "rectangle " << i << ": stored " << Show(got) << ", expected " << Show(want);
    }
}

const RegionTableBlock& Table()
{
    static const RegionTableBlock table = [] {
        RegionTableBlock t{};
        LoadRegionTables(t);
        return t;
    }();
    return table;
}

const RegionRecord& Slot(int number)
{
    return Table()[static_cast<size_t>(number)];
}

// The catalogue: rectangle count and bound for every filled slot.
struct Entry {
    int number;
    uint32_t count;
    int32_t right;
    int32_t bottom;
};

constexpr Entry kCatalogue[] = {
    {0, 10, 276, 3},   {1, 10, 284, 3},   {2, 8, 243, 3},    {3, 21, 319, 3},   {4, 23, 321, 3},
    {5, 20, 314, 3},   {6, 61, 321, 3},   {7, 63, 314, 3},   {8, 64, 313, 3},   {9, 81, 315, 3},
    {10, 90, 315, 3},  {11, 105, 319, 3}, {12, 175, 318, 3}, {13, 177, 321, 3}, {14, 183, 321, 3},
    {15, 73, 37, 27},  {16, 3, 5, 4},     {17, 17, 30, 19},  {18, 18, 29, 19},  {19, 18, 29, 19},
    {20, 53, 318, 16}, {21, 7, 9, 7},     {22, 8, 10, 6},    {23, 6, 9, 6},     {24, 14, 15, 15},
    {25, 14, 15, 15},  {26, 6, 11, 15},
};

TEST(RegionTable, EveryFilledSlotHasItsCatalogueHeader)
{
    for (const Entry& e : kCatalogue) {
        SCOPED_TRACE("slot " + std::to_string(e.number));
        const RegionRecord& record = Slot(e.number);
        const RegionHeader& h = record.header;
        EXPECT_EQ(h.dwSize, 32u);
        EXPECT_EQ(h.iType, 1u);
        EXPECT_EQ(h.nCount, e.count);
        EXPECT_EQ(h.nRgnSize, 16u * e.count);
        EXPECT_EQ(h.boundLeft, 0);
        EXPECT_EQ(h.boundTop, 0);
        EXPECT_EQ(h.boundRight, e.right);
        EXPECT_EQ(h.boundBottom, e.bottom);

        int32_t right = 0;
        int32_t bottom = 0;
        for (uint32_t i = 0; i < h.nCount && i < kRegionRectCapacity; ++i) {
            right = std::max(right, record.rects[i].right);
            bottom = std::max(bottom, record.rects[i].bottom);
        }
        EXPECT_EQ(right, h.boundRight);
        EXPECT_EQ(bottom, h.boundBottom);

        // Every place behind the shape stays zero.
        const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
        const size_t used = 32 + 16 * static_cast<size_t>(std::min<uint32_t>(h.nCount, kRegionRectCapacity));
        EXPECT_TRUE(std::all_of(bytes + used, bytes + sizeof(RegionRecord), [](uint8_t b) { return b == 0; }));
    }
}

TEST(RegionTable, UnusedSlotStaysZero)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&Slot(27));
    EXPECT_TRUE(std::all_of(bytes, bytes + sizeof(RegionRecord), [](uint8_t b) { return b == 0; }));
}

TEST(RegionTable, EverySlotIsInCanonicalBandForm)
{
    for (int n = 0; n < region::kFilledSlots; ++n) {
        SCOPED_TRACE("slot " + std::to_string(n));
        const RegionRecord& record = Slot(n);
        const uint32_t count = record.header.nCount;
        ASSERT_LE(count, static_cast<uint32_t>(kRegionRectCapacity));
        for (uint32_t i = 0; i < count; ++i) {
            const RegionRect& r = record.rects[i];
            EXPECT_LT(r.left, r.right) << Show(r);
            EXPECT_LT(r.top, r.bottom) << Show(r);
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.right, 321);
            EXPECT_LE(r.bottom, 27);
            if (i == 0) {
                continue;
            }
            const RegionRect& p = record.rects[i - 1];
            if (r.top == p.top) {
                // Same band: same height, left to right, never touching.
                EXPECT_EQ(r.bottom, p.bottom) << Show(p) << " " << Show(r);
                EXPECT_GT(r.left, p.right) << Show(p) << " " << Show(r);
            } else {
                // Next band starts at or below the end of the previous one.
                EXPECT_GE(r.top, p.bottom) << Show(p) << " " << Show(r);
            }
        }
        // Two bands that meet never hold the same runs, and the stored list
        // is exactly what the band rule makes of its own pixels.
        const std::vector<RegionRect> rebuilt = Bands(GridFrom(record));
        ExpectSameRects(record, rebuilt);
    }
}

TEST(RegionTable, PalmIsBuiltFromItsRows)
{
    const std::vector<Lines> palm = {
        {0, 0, "13-33"},
        {1, 1, "13-28, 30-35"},
        {2, 2, "12-30, 32-33"},
        {3, 3, "11-15, 17-19, 21-24, 26-27, 29-31, 33-34"},
        {4, 4, "11-14, 17, 19, 22, 24, 26-33, 35"},
        {5, 5, "10-14, 17, 20, 22-27, 29, 31-35"},
        {6, 6, "10-14, 17, 19-20, 22, 25-27, 29-30, 32-34"},
        {7, 7, "10-13, 16, 18, 20, 25-26, 28-31, 33"},
        {8, 8, "9-13, 16, 19, 21, 24-25, 28-29, 33-36"},
        {9, 9, "9-12, 19, 24-25, 27, 29, 33-34"},
        {10, 10, "8-12, 24, 29, 35"},
        {11, 11, "8-11, 24, 29, 35"},
        {12, 12, "8-11, 28, 35"},
        {13, 14, "7-11"},
        {15, 16, "6-10"},
        {17, 17, "5-10"},
        {18, 18, "5-9"},
        {19, 20, "4-9"},
        {21, 21, "4-8"},
        {22, 22, "3-8"},
        {23, 23, "2-8"},
        {24, 24, "2-7"},
        {25, 25, "1-7"},
        {26, 26, "0-7"},
    };
    ExpectSameRects(Slot(region::kPalm), Bands(GridFrom(palm)));
    // The three pairs of equal lines each become two-line rectangles.
    const RegionRecord& record = Slot(region::kPalm);
    int tall = 0;
    for (uint32_t i = 0; i < record.header.nCount; ++i) {
        tall += record.rects[i].bottom - record.rects[i].top == 2 ? 1 : 0;
    }
    EXPECT_EQ(tall, 3);
}

TEST(RegionTable, SmallFiguresAreBuiltFromTheirRows)
{
    // Walker: the body is one rectangle two lines high.
    ExpectSameRects(Slot(region::kWalker), Bands(GridFrom({{1, 1, "1, 4"}, {2, 3, "2-3"}})));
    EXPECT_EQ(Slot(region::kWalker).rects[2].bottom - Slot(region::kWalker).rects[2].top, 2);

    ExpectSameRects(Slot(region::kGlitterFirst),
                    Bands(GridFrom({{1, 1, "3-5"}, {2, 2, "7-8"}, {3, 3, "2-4"}, {4, 4, "6, 8"}, {5, 5, "3-5"},
                                    {6, 6, "7"}})));
    ExpectSameRects(Slot(region::kGlitterFirst + 1),
                    Bands(GridFrom({{1, 1, "3-4, 6-7"}, {2, 2, "2, 9"}, {3, 3, "4-5, 7"}, {4, 4, "2-3"},
                                    {5, 5, "6-7"}})));
    ExpectSameRects(Slot(region::kGlitterFirst + 2),
                    Bands(GridFrom({{1, 1, "4-6"}, {2, 2, "1-2"}, {3, 3, "3-5, 7-8"}, {4, 4, "2"}, {5, 5, "5-6"}})));

    std::vector<Lines> right;
    std::vector<Lines> left;
    std::vector<std::string> names;
    names.reserve(28);
    for (int i = 1; i <= 14; ++i) {
        names.push_back(std::to_string(i));
        names.push_back(std::to_string(15 - i));
    }
    for (int i = 1; i <= 14; ++i) {
        right.push_back({i, i, names[static_cast<size_t>(2 * (i - 1))].c_str()});
        left.push_back({i, i, names[static_cast<size_t>(2 * (i - 1) + 1)].c_str()});
    }
    ExpectSameRects(Slot(region::kStreakFirst), Bands(GridFrom(right)));
    ExpectSameRects(Slot(region::kStreakFirst + 1), Bands(GridFrom(left)));
    ExpectSameRects(Slot(region::kStreakFirst + 2),
                    Bands(GridFrom({{1, 2, "5"}, {3, 4, "6"}, {5, 7, "7"}, {8, 10, "8"}, {11, 12, "9"},
                                    {13, 14, "10"}})));
}

TEST(RegionTable, CloudsShareTheBodyAndDifferInReflections)
{
    const std::vector<Lines> body = {
        {1, 1, "12-18, 20"}, {2, 2, "7-25"},        {3, 3, "6-26"},     {4, 4, "4-27"},
        {5, 5, "3-28"},      {6, 6, "3-16, 20-27"}, {7, 7, "5-8, 22-24"},
    };
    const char* reflections[] = {
        "5, 7, 12, 15-17, 22, 25-26, 29",
        "3-4, 6, 9-10, 13, 18-19, 23, 26, 28",
        "2, 4, 6-7, 9, 14-15, 17, 21, 24-26",
    };
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE("cloud frame " + std::to_string(frame));
        std::vector<Lines> cloud = body;
        cloud.push_back({18, 18, reflections[frame]});
        ExpectSameRects(Slot(region::kCloudFirst + frame), Bands(GridFrom(cloud)));
    }
    // Frames B and C have the same count and bound but not the same points.
    const RegionRecord& b = Slot(region::kCloudFirst + 1);
    const RegionRecord& c = Slot(region::kCloudFirst + 2);
    EXPECT_NE(std::memcmp(b.rects, c.rects, 16 * b.header.nCount), 0);
}

TEST(RegionTable, StarFieldIsBuiltFromItsRows)
{
    const std::vector<Lines> stars = {
        {1, 1, "1-2, 122-123, 187-188"},
        {2, 2, "61-62, 81, 182-183, 247-248, 267"},
        {3, 3, "105, 291"},
        {4, 4, "19, 49, 203, 316"},
        {5, 5, "6, 127, 136, 158, 192, 225"},
        {7, 7, "83, 253"},
        {8, 8, "28, 96, 149, 277"},
        {9, 9, "317"},
        {10, 10, "262"},
        {11, 11, "42, 127-128, 163-164, 193, 228-229"},
        {12, 12, "62"},
        {13, 13, "286-287"},
        {14, 14, "1, 23, 55, 68, 84, 111, 113, 144, 176, 241, 270, 299, 308"},
        {15, 15, "29, 117, 150, 215, 303"},
    };
    ExpectSameRects(Slot(region::kStars), Bands(GridFrom(stars)));
    // Nothing in the last two columns, so tiles side by side never join stars.
    const RegionRecord& record = Slot(region::kStars);
    for (uint32_t i = 0; i < record.header.nCount; ++i) {
        EXPECT_LE(record.rects[i].right, 318);
        EXPECT_GE(record.rects[i].left, 1);
    }
}

TEST(RegionTable, FirstWaveFrameIsBuiltFromItsRow)
{
    ExpectSameRects(Slot(region::kWaveFirst), Bands(GridFrom({{2, 2, "1, 18, 51, 73, 90, 105, 144, 168, 236, 275"}})));
}

// Runs and pixels on rows 0, 1 and 2 of each wave frame.
struct WaveFigures {
    int runs[3];
    int pixels[3];
};

constexpr WaveFigures kWaveTable[15] = {
    {{0, 0, 10}, {0, 0, 10}},      {{0, 0, 10}, {0, 0, 11}},      {{0, 0, 8}, {0, 0, 8}},
    {{0, 0, 21}, {0, 0, 23}},      {{0, 0, 23}, {0, 0, 27}},      {{0, 0, 20}, {0, 0, 22}},
    {{0, 21, 40}, {0, 23, 46}},    {{0, 22, 41}, {0, 24, 46}},    {{0, 22, 42}, {0, 24, 47}},
    {{21, 20, 40}, {23, 22, 45}},  {{25, 30, 35}, {28, 36, 41}},  {{22, 41, 42}, {24, 46, 47}},
    {{50, 51, 74}, {53, 54, 81}},  {{48, 54, 75}, {49, 57, 84}},  {{46, 60, 77}, {47, 62, 88}},
};

TEST(RegionTable, WaveFramesMeetTheirFigures)
{
    for (int frame = 0; frame < 15; ++frame) {
        SCOPED_TRACE("wave frame " + std::to_string(frame));
        const RegionRecord& record = Slot(region::kWaveFirst + frame);
        const int longest = frame >= 12 ? 3 : 2;
        int runs[3] = {0, 0, 0};
        int pixels[3] = {0, 0, 0};
        for (uint32_t i = 0; i < record.header.nCount; ++i) {
            const RegionRect& r = record.rects[i];
            // Scattered flecks: one line high, one to `longest` pixels long,
            // on the 320-pixel tile or the one clipped column past it.
            ASSERT_EQ(r.bottom - r.top, 1) << Show(r);
            ASSERT_GE(r.top, 0);
            ASSERT_LT(r.top, 3);
            EXPECT_GE(r.right - r.left, 1) << Show(r);
            EXPECT_LE(r.right - r.left, longest) << Show(r);
            EXPECT_GE(r.left, 0);
            EXPECT_LE(r.right, 321);
            runs[r.top] += 1;
            pixels[r.top] += r.right - r.left;
        }
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(runs[row], kWaveTable[frame].runs[row]) << "row " << row;
            EXPECT_EQ(pixels[row], kWaveTable[frame].pixels[row]) << "row " << row;
        }
    }
    // Where the bound is 321, the last fleck sits on x = 320, past the tile.
    for (int frame : {4, 6, 13, 14}) {
        EXPECT_EQ(Slot(frame).header.boundRight, 321);
    }
}

TEST(RegionTable, LoadingOverwritesWhateverTheBlockHeld)
{
    auto block = std::make_unique<RegionTableBlock>();
    std::memset(block.get(), 0xA5, sizeof(RegionTableBlock));
    LoadRegionTables(*block);
    EXPECT_EQ(std::memcmp(block.get(), &Table(), sizeof(RegionTableBlock)), 0);
    LoadRegionTables(*block);
    EXPECT_EQ(std::memcmp(block.get(), &Table(), sizeof(RegionTableBlock)), 0);
}

TEST(BandRule, MergesTouchingPiecesAndKeepsLinesApartAcrossGaps)
{
    // Unsorted, touching and overlapping pieces of one line form one run;
    // equal lines with an empty line between them are two bands.
    const PixelRun runs[] = {{4, 2, 6}, {0, 5, 6}, {0, 2, 4}, {1, 2, 6}, {4, 3, 5}, {3, 2, 6}, {0, 9, 9}};
    const std::vector<RegionRect> rects = BandRects(runs);
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(Show(rects[0]), "(2,0)-(7,1)");
    EXPECT_EQ(Show(rects[1]), "(9,0)-(10,1)");
    EXPECT_EQ(Show(rects[2]), "(2,1)-(7,2)");
    EXPECT_EQ(Show(rects[3]), "(2,3)-(7,5)");
}

TEST(BandRule, RecordRefusesMoreRectanglesThanItHolds)
{
    std::vector<RegionRect> rects(kRegionRectCapacity + 1, RegionRect{0, 0, 1, 1});
    RegionRecord record{};
    EXPECT_THROW(FillRegionRecord(rects, record), std::length_error);
    rects.pop_back();
    FillRegionRecord(rects, record);
    EXPECT_EQ(record.header.nCount, static_cast<uint32_t>(kRegionRectCapacity));
    EXPECT_EQ(record.header.nRgnSize, 16u * kRegionRectCapacity);
}

// Records the size calls it receives, in order.
class SizeRecorder : public Element {
public:
    std::vector<std::string> calls;

    float Left() const override { return 0; }
    float Top() const override { return 0; }
    float Width() const override { return 0; }
    float Height() const override { return 0; }
    void SetLeft(float) override { calls.push_back("left"); }
    void SetTop(float) override { calls.push_back("top"); }
    void SetWidth(float twips) override { calls.push_back("width " + std::to_string(static_cast<int>(twips))); }
    void SetHeight(float twips) override { calls.push_back("height " + std::to_string(static_cast<int>(twips))); }
    bool Visible() const override { return false; }
    void SetVisible(bool) override { calls.push_back("visible"); }
    void BringToFront() override { calls.push_back("front"); }
    Colour FillColour() const override { return {}; }
    void SetFillColour(Colour) override { calls.push_back("colour"); }
    Picture GetPicture() const override { return nullptr; }
    void TakePictureOf(const Element&) override { calls.push_back("picture"); }
    void StretchCopy(const Bitmap&, int, int, int, int, int, int, int, int) override { calls.push_back("copy"); }
    int32_t ReadPoint(int, int) const override { return kNoPixel; }
    void SetPoint(int, int, Colour) override { calls.push_back("point"); }
    void FillBox(int, int, int, int, Colour) override { calls.push_back("box"); }
    RegionResult ApplyRegionData(const uint8_t*, uint32_t) override
    {
        calls.push_back("region");
        return RegionResult::Ok;
    }
};

TEST(TileSizes, WaveAndStarTilesGetFixedTwipSizesHeightFirst)
{
    SizeRecorder wave;
    SizeWaveTile(wave);
    EXPECT_EQ(wave.calls, (std::vector<std::string>{"height 45", "width 4800"}));

    SizeRecorder star;
    SizeStarTile(star);
    EXPECT_EQ(star.calls, (std::vector<std::string>{"height 240", "width 4800"}));
}

}  // namespace
}  // namespace seastrip
