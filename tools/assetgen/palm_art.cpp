#include <vector>

#include "assetgen.h"
#include "regions/region_table.h"
#include "regions/shape_rows.h"

namespace seastrip::assetgen {
namespace {

constexpr int kWidth = 38;
constexpr int kHeight = 27;
// From this row down, the leftmost run of a row is the trunk; above it the
// crown is all fronds.
constexpr int kTrunkTop = 3;

// The palm's silhouette is the palm's window outline, pixel for pixel.

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
    for (const PixelRun& run : ShapeRows(region::kPalm)) {
        const bool leftmost = run.row != lastRow;
        lastRow = run.row;
        for (int x = run.first; x <= run.last; ++x) {
            shape.inside[run.row * kWidth + x] = true;
            shape.trunk[run.row * kWidth + x] = leftmost && run.row >= kTrunkTop;
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
