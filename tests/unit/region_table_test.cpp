// The region table: every outline in the catalogue, checked against shapes
// written out again here or read off the pictures they cut out, and against
// this file's own band rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "pictures/pictures.h"
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
    std::string pixels;
};

using Grid = std::vector<std::vector<bool>>;

Grid GridFrom(const std::vector<Lines>& shape)
{
    Grid grid(kMaxHeight, std::vector<bool>(kMaxWidth, false));
    for (const Lines& lines : shape) {
        std::istringstream in(lines.pixels);
        char separator = ',';
        for (int from = 0, to = 0; in >> from; in >> separator) {
            to = from;
            if (in.peek() == '-') in >> separator >> to;
            for (int y = lines.first; y <= lines.last; ++y)
                for (int x = from; x <= to; ++x) grid[y][x] = true;
        }
    }
    return grid;
}

// The opaque (non-magenta) pixels of a picture's top `rows` rows.
Grid GridFrom(const Bitmap& picture, int rows)
{
    Grid grid = GridFrom({});
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < picture.width; ++x) grid[y][x] = picture.At(x, y) != Colour{255, 0, 255};
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
        const auto& line = grid[y];
        for (int x = 0; x < kMaxWidth; ++x) {
            if (line[x] && (x == 0 || !line[x - 1])) {
                int end = x;
                while (end < kMaxWidth && line[end]) ++end;
                runs.emplace_back(x, end);
            }
        }
        if (!runs.empty() && runs == above) {
            for (size_t i = bandStart; i < rects.size(); ++i) rects[i].bottom = y + 1;
        } else {
            bandStart = rects.size();
            for (const auto& [left, right] : runs) rects.push_back(RegionRect{left, y, right, y + 1});
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
        EXPECT_EQ(Show(record.rects[i]), Show(expected[i])) << "rectangle " << i;
    }
}

// Loaded over a block full of noise: every place the table leaves empty must
// be zero whatever the block held before.
const RegionTableBlock& Table()
{
    static const auto table = [] {
        auto block = std::make_unique<RegionTableBlock>();
        std::memset(block.get(), 0xA5, sizeof(RegionTableBlock));
        LoadRegionTables(*block);
        return block;
    }();
    return *table;
}

const RegionRecord& Slot(int number) { return Table()[static_cast<size_t>(number)]; }

bool AllZero(const void* from, const void* to)
{
    return std::all_of(static_cast<const uint8_t*>(from), static_cast<const uint8_t*>(to),
                       [](uint8_t b) { return b == 0; });
}

TEST(RegionTable, EverySlotHasItsHeaderAndBoundAndZeroBehindItsShape)
{
    // The shapes themselves, in the band rule's canonical form, are pinned by
    // the cases below.
    for (int number = 0; number < region::kFilledSlots; ++number) {
        SCOPED_TRACE("slot " + std::to_string(number));
        const RegionRecord& record = Slot(number);
        const RegionHeader& h = record.header;
        EXPECT_EQ((std::vector{h.dwSize, h.iType, h.nRgnSize}), (std::vector{32u, 1u, 16u * h.nCount}))
            << "the header's size, type and byte count";
        RegionRect bound{0, 0, 0, 0};
        for (uint32_t i = 0; i < h.nCount; ++i) {
            bound.right = std::max(bound.right, record.rects[i].right);
            bound.bottom = std::max(bound.bottom, record.rects[i].bottom);
        }
        EXPECT_EQ(Show(RegionRect{h.boundLeft, h.boundTop, h.boundRight, h.boundBottom}), Show(bound));
        EXPECT_TRUE(AllZero(&record.rects[h.nCount], &record + 1)) << "every place behind the shape is zero";
    }
    EXPECT_TRUE(AllZero(&Slot(27), &Slot(27) + 1)) << "the unused slot";
}

TEST(RegionTable, PalmAndCloudsCutOutTheirPicturesAndTheCloudsGlintBelow)
{
    ExpectSameRects(Slot(region::kPalm), Bands(GridFrom(*pictures::Palm(), 27)));

    // The clouds share the picture's body (rows 0 to 16) and differ in the
    // single reflection points on row 18.
    const char* reflections[] = {
        "5, 7, 12, 15-17, 22, 25-26, 29",
        "3-4, 6, 9-10, 13, 18-19, 23, 26, 28",
        "2, 4, 6-7, 9, 14-15, 17, 21, 24-26",
    };
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE("cloud frame " + std::to_string(frame));
        Grid cloud = GridFrom(*pictures::Cloud(), 17);
        const Grid points = GridFrom({{18, 18, reflections[frame]}});
        cloud[18] = points[18];
        ExpectSameRects(Slot(region::kCloudFirst + frame), Bands(cloud));
    }
}

TEST(RegionTable, SmallFiguresStarsAndTheFirstWaveAreBuiltFromTheirRows)
{
    std::vector<Lines> streakRight;
    std::vector<Lines> streakLeft;
    for (int i = 1; i <= 14; ++i) {
        streakRight.push_back({i, i, std::to_string(i)});
        streakLeft.push_back({i, i, std::to_string(15 - i)});
    }
    const std::pair<int, std::vector<Lines>> figures[] = {
        {region::kWalker, {{1, 1, "1, 4"}, {2, 3, "2-3"}}},
        {region::kGlitterFirst,
         {{1, 1, "3-5"}, {2, 2, "7-8"}, {3, 3, "2-4"}, {4, 4, "6, 8"}, {5, 5, "3-5"}, {6, 6, "7"}}},
        {region::kGlitterFirst + 1,
         {{1, 1, "3-4, 6-7"}, {2, 2, "2, 9"}, {3, 3, "4-5, 7"}, {4, 4, "2-3"}, {5, 5, "6-7"}}},
        {region::kGlitterFirst + 2, {{1, 1, "4-6"}, {2, 2, "1-2"}, {3, 3, "3-5, 7-8"}, {4, 4, "2"}, {5, 5, "5-6"}}},
        {region::kStreakFirst, streakRight},
        {region::kStreakFirst + 1, streakLeft},
        {region::kStreakFirst + 2,
         {{1, 2, "5"}, {3, 4, "6"}, {5, 7, "7"}, {8, 10, "8"}, {11, 12, "9"}, {13, 14, "10"}}},
        {region::kWaveFirst, {{2, 2, "1, 18, 51, 73, 90, 105, 144, 168, 236, 275"}}},
        // Nothing in the first column or the last two, so tiles side by side
        // never join stars across the seam.
        {region::kStars,
         {{1, 1, "1-2, 122-123, 187-188"},
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
          {15, 15, "29, 117, 150, 215, 303"}}},
    };
    for (const auto& [slot, rows] : figures) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        ExpectSameRects(Slot(slot), Bands(GridFrom(rows)));
    }
}

// Runs and pixels on rows 0, 1 and 2 of each wave frame, and the right edge
// of its rightmost fleck.
struct WaveFigures {
    int runs[3];
    int pixels[3];
    int32_t right;
};

constexpr WaveFigures kWaveTable[15] = {
    {{0, 0, 10}, {0, 0, 10}, 276},     {{0, 0, 10}, {0, 0, 11}, 284},     {{0, 0, 8}, {0, 0, 8}, 243},
    {{0, 0, 21}, {0, 0, 23}, 319},     {{0, 0, 23}, {0, 0, 27}, 321},     {{0, 0, 20}, {0, 0, 22}, 314},
    {{0, 21, 40}, {0, 23, 46}, 321},   {{0, 22, 41}, {0, 24, 46}, 314},   {{0, 22, 42}, {0, 24, 47}, 313},
    {{21, 20, 40}, {23, 22, 45}, 315}, {{25, 30, 35}, {28, 36, 41}, 315}, {{22, 41, 42}, {24, 46, 47}, 319},
    {{50, 51, 74}, {53, 54, 81}, 318}, {{48, 54, 75}, {49, 57, 84}, 321}, {{46, 60, 77}, {47, 62, 88}, 321},
};

TEST(RegionTable, WaveFramesMeetTheirFigures)
{
    for (int frame = 0; frame < 15; ++frame) {
        SCOPED_TRACE("wave frame " + std::to_string(frame));
        const RegionRecord& record = Slot(region::kWaveFirst + frame);
        const int longest = frame >= 12 ? 3 : 2;
        EXPECT_EQ(record.header.boundRight, kWaveTable[frame].right);
        int runs[3] = {0, 0, 0};
        int pixels[3] = {0, 0, 0};
        for (uint32_t i = 0; i < record.header.nCount; ++i) {
            // Scattered flecks: one line high, one to `longest` pixels long,
            // listed top down and left to right, none touching the one before.
            const RegionRect& r = record.rects[i];
            ASSERT_EQ(r.bottom - r.top, 1) << Show(r);
            ASSERT_TRUE(r.top >= 0 && r.top < 3) << Show(r);
            EXPECT_LE(r.right - r.left, longest) << Show(r);
            const RegionRect& p = record.rects[i > 0 ? i - 1 : 0];
            EXPECT_TRUE(i == 0 || r.top > p.top || (r.top == p.top && r.left > p.right)) << Show(r);
            runs[r.top] += 1;
            pixels[r.top] += r.right - r.left;
        }
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(runs[row], kWaveTable[frame].runs[row]) << "row " << row;
            EXPECT_EQ(pixels[row], kWaveTable[frame].pixels[row]) << "row " << row;
        }
    }
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

}  // namespace
}  // namespace seastrip
