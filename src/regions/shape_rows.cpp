#include "regions/shape_rows.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "regions/region_table.h"

namespace seastrip {

namespace {

// Palm tree, 38 x 27: the non-magenta pixels of the palm picture. The trunk
// rises from the bottom-left corner, the fronds spread over the top right.
constexpr PixelRun kPalm[] = {
    {0, 13, 33},
    {1, 13, 28}, {1, 30, 35},
    {2, 12, 30}, {2, 32, 33},
    {3, 11, 15}, {3, 17, 19}, {3, 21, 24}, {3, 26, 27}, {3, 29, 31}, {3, 33, 34},
    {4, 11, 14}, {4, 17, 17}, {4, 19, 19}, {4, 22, 22}, {4, 24, 24}, {4, 26, 33}, {4, 35, 35},
    {5, 10, 14}, {5, 17, 17}, {5, 20, 20}, {5, 22, 27}, {5, 29, 29}, {5, 31, 35},
    {6, 10, 14}, {6, 17, 17}, {6, 19, 20}, {6, 22, 22}, {6, 25, 27}, {6, 29, 30}, {6, 32, 34},
    {7, 10, 13}, {7, 16, 16}, {7, 18, 18}, {7, 20, 20}, {7, 25, 26}, {7, 28, 31}, {7, 33, 33},
    {8, 9, 13}, {8, 16, 16}, {8, 19, 19}, {8, 21, 21}, {8, 24, 25}, {8, 28, 29}, {8, 33, 36},
    {9, 9, 12}, {9, 19, 19}, {9, 24, 25}, {9, 27, 27}, {9, 29, 29}, {9, 33, 34},
    {10, 8, 12}, {10, 24, 24}, {10, 29, 29}, {10, 35, 35},
    {11, 8, 11}, {11, 24, 24}, {11, 29, 29}, {11, 35, 35},
    {12, 8, 11}, {12, 28, 28}, {12, 35, 35},
    {13, 7, 11},
    {14, 7, 11},
    {15, 6, 10},
    {16, 6, 10},
    {17, 5, 10},
    {18, 5, 9},
    {19, 4, 9},
    {20, 4, 9},
    {21, 4, 8},
    {22, 3, 8},
    {23, 2, 8},
    {24, 2, 7},
    {25, 1, 7},
    {26, 0, 7},
};

// Walker, 6 x 5: two points over a two-by-two body.
constexpr PixelRun kWalker[] = {
    {1, 1, 1}, {1, 4, 4},
    {2, 2, 3},
    {3, 2, 3},
};

// Cloud body, shared by the three cloud frames: the non-magenta pixels of
// the cloud picture in rows 1 to 7.
constexpr PixelRun kCloudBody[] = {
    {1, 12, 18}, {1, 20, 20},
    {2, 7, 25},
    {3, 6, 26},
    {4, 4, 27},
    {5, 3, 28},
    {6, 3, 16}, {6, 20, 27},
    {7, 5, 8}, {7, 22, 24},
};

// The single reflection points on row 18 that make the clouds glint.
constexpr PixelRun kReflectionA[] = {
    {18, 5, 5}, {18, 7, 7}, {18, 12, 12}, {18, 15, 17}, {18, 22, 22}, {18, 25, 26}, {18, 29, 29},
};
constexpr PixelRun kReflectionB[] = {
    {18, 3, 4}, {18, 6, 6}, {18, 9, 10}, {18, 13, 13}, {18, 18, 19}, {18, 23, 23}, {18, 26, 26}, {18, 28, 28},
};
constexpr PixelRun kReflectionC[] = {
    {18, 2, 2}, {18, 4, 4}, {18, 6, 7}, {18, 9, 9}, {18, 14, 15}, {18, 17, 17}, {18, 21, 21}, {18, 24, 26},
};

template <size_t N>
constexpr auto CloudFrame(const PixelRun (&reflection)[N])
{
    std::array<PixelRun, std::size(kCloudBody) + N> runs{};
    auto next = std::copy(std::begin(kCloudBody), std::end(kCloudBody), runs.begin());
    std::copy(std::begin(reflection), std::end(reflection), next);
    return runs;
}

constexpr auto kCloudA = CloudFrame(kReflectionA);
constexpr auto kCloudB = CloudFrame(kReflectionB);
constexpr auto kCloudC = CloudFrame(kReflectionC);

// Star field for one 320 x 16 star tile. Nothing reaches the last two
// columns, so neighbouring tiles never join two stars across the seam.
constexpr PixelRun kStars[] = {
    {1, 1, 2}, {1, 122, 123}, {1, 187, 188},
    {2, 61, 62}, {2, 81, 81}, {2, 182, 183}, {2, 247, 248}, {2, 267, 267},
    {3, 105, 105}, {3, 291, 291},
    {4, 19, 19}, {4, 49, 49}, {4, 203, 203}, {4, 316, 316},
    {5, 6, 6}, {5, 127, 127}, {5, 136, 136}, {5, 158, 158}, {5, 192, 192}, {5, 225, 225},
    {7, 83, 83}, {7, 253, 253},
    {8, 28, 28}, {8, 96, 96}, {8, 149, 149}, {8, 277, 277},
    {9, 317, 317},
    {10, 262, 262},
    {11, 42, 42}, {11, 127, 128}, {11, 163, 164}, {11, 193, 193}, {11, 228, 229},
    {12, 62, 62},
    {13, 286, 287},
    {14, 1, 1}, {14, 23, 23}, {14, 55, 55}, {14, 68, 68}, {14, 84, 84}, {14, 111, 111}, {14, 113, 113},
    {14, 144, 144}, {14, 176, 176}, {14, 241, 241}, {14, 270, 270}, {14, 299, 299}, {14, 308, 308},
    {15, 29, 29}, {15, 117, 117}, {15, 150, 150}, {15, 215, 215}, {15, 303, 303},
};

// Sun glitter on the water, three frames of short flecks on an 11 x 8 element.
constexpr PixelRun kGlitterA[] = {
    {1, 3, 5},
    {2, 7, 8},
    {3, 2, 4},
    {4, 6, 6}, {4, 8, 8},
    {5, 3, 5},
    {6, 7, 7},
};
constexpr PixelRun kGlitterB[] = {
    {1, 3, 4}, {1, 6, 7},
    {2, 2, 2}, {2, 9, 9},
    {3, 4, 5}, {3, 7, 7},
    {4, 2, 3},
    {5, 6, 7},
};
constexpr PixelRun kGlitterC[] = {
    {1, 4, 6},
    {2, 1, 2},
    {3, 3, 5}, {3, 7, 8},
    {4, 2, 2},
    {5, 5, 6},
};

// Shooting-star streaks on a 16 x 16 element, one pixel wide: the two
// diagonals, and a steep line drifting right as it falls.
constexpr auto kStreakRight = [] {
    std::array<PixelRun, 14> runs{};
    for (int32_t i = 1; i <= 14; ++i) {
        runs[static_cast<size_t>(i - 1)] = PixelRun{i, i, i};
    }
    return runs;
}();
constexpr auto kStreakLeft = [] {
    std::array<PixelRun, 14> runs{};
    for (int32_t i = 1; i <= 14; ++i) {
        runs[static_cast<size_t>(i - 1)] = PixelRun{i, 15 - i, 15 - i};
    }
    return runs;
}();
constexpr PixelRun kStreakSteep[] = {
    {1, 5, 5}, {2, 5, 5},
    {3, 6, 6}, {4, 6, 6},
    {5, 7, 7}, {6, 7, 7}, {7, 7, 7},
    {8, 8, 8}, {9, 8, 8}, {10, 8, 8},
    {11, 9, 9}, {12, 9, 9},
    {13, 10, 10}, {14, 10, 10},
};

}  // namespace

std::span<const PixelRun> ShapeRows(int number)
{
    if (number >= region::kWaveFirst && number < region::kPalm) {
        return WaveRows(number - region::kWaveFirst);
    }
    switch (number) {
    case region::kPalm: return kPalm;
    case region::kWalker: return kWalker;
    case region::kCloudFirst: return kCloudA;
    case region::kCloudFirst + 1: return kCloudB;
    case region::kCloudFirst + 2: return kCloudC;
    case region::kStars: return kStars;
    case region::kGlitterFirst: return kGlitterA;
    case region::kGlitterFirst + 1: return kGlitterB;
    case region::kGlitterFirst + 2: return kGlitterC;
    case region::kStreakFirst: return kStreakRight;
    case region::kStreakFirst + 1: return kStreakLeft;
    case region::kStreakFirst + 2: return kStreakSteep;
    default: return {};
    }
}

}  // namespace seastrip
