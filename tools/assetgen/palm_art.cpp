#include <vector>

#include "assetgen.h"

namespace seastrip::assetgen {
namespace {

constexpr int kWidth = 38;
constexpr int kHeight = 27;
// From this row down, the leftmost run of a row is the trunk; above it the
// crown is all fronds.
constexpr int kTrunkTop = 3;

// The palm's silhouette; its window outline is cut to exactly these pixels.
constexpr Run kShape[] = {
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

// Trunk bark in rings, lit from the right where the sun sets mid-screen.
constexpr Colour kBarkShade{92, 58, 28};
constexpr Colour kBarkDark{122, 80, 40};
constexpr Colour kBarkLight{160, 112, 60};
constexpr Colour kBarkLit{196, 148, 88};
// Fronds: dark edges, mid leaf, sunlit top, and the coconuts under the crown.
constexpr Colour kLeafEdge{24, 96, 32};
constexpr Colour kLeaf{46, 142, 46};
constexpr Colour kLeafLit{110, 190, 70};
constexpr Colour kCoconut{84, 60, 20};

struct Shape {
    std::vector<bool> inside = std::vector<bool>(kWidth * kHeight, false);
    std::vector<bool> trunk = std::vector<bool>(kWidth * kHeight, false);

    bool In(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight && inside[y * kWidth + x];
    }
};

Shape BuildShape()
{
    Shape shape;
    int lastRow = -1;
    for (const Run& run : kShape) {
        const bool leftmost = run.y != lastRow;
        lastRow = run.y;
        for (int x = run.first; x <= run.last; ++x) {
            shape.inside[run.y * kWidth + x] = true;
            shape.trunk[run.y * kWidth + x] = leftmost && run.y >= kTrunkTop;
        }
    }
    return shape;
}

Colour BarkColour(const Shape& shape, int x, int y)
{
    if (!shape.In(x - 1, y)) {
        return kBarkShade;
    }
    if (!shape.In(x + 1, y)) {
        return kBarkLit;
    }
    // Rings every third row give the trunk its segmented look.
    return (y % 3 == 0) ? kBarkDark : kBarkLight;
}

Colour LeafColour(const Shape& shape, int x, int y)
{
    // A diagonal grain through the crown parts it into fronds.
    const bool grain = (x + 2 * y) % 5 == 0;
    if (y == 0) {
        // The sunlit top of the crown, duller towards its ends.
        return grain ? kLeaf : (x > 14 && x < 32 ? kLeafLit : kLeaf);
    }
    if (y <= 2) {
        return grain || !shape.In(x, y + 1) ? kLeafEdge : kLeaf;
    }
    // Hanging fronds: mid green, catching light on top, dark at the tips.
    if (!shape.In(x, y + 1)) {
        return kLeafEdge;
    }
    return !shape.In(x, y - 1) ? kLeafLit : kLeaf;
}

}  // namespace

Bitmap MakePalm()
{
    const Shape shape = BuildShape();
    Bitmap palm(kWidth, kHeight, kKey);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!shape.In(x, y)) {
                continue;
            }
            palm.Set(x, y, shape.trunk[y * kWidth + x] ? BarkColour(shape, x, y) : LeafColour(shape, x, y));
        }
    }
    // Two coconuts hang where the trunk meets the crown.
    palm.Set(14, 3, kCoconut);
    palm.Set(13, 4, kCoconut);
    return palm;
}

}  // namespace seastrip::assetgen
