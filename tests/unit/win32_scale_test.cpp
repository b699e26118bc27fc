// The Windows front's arithmetic between art pixels and device pixels, which
// Wine cannot show on a second monitor of another scale.
#include "front/win32/win32_scale.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "stage_helpers.h"

namespace seastrip {
namespace {

TEST(Win32Scale, WholeFactorsOnlyAndNeverBelowOne)
{
    const std::pair<int, int> scales[] = {{72, 1},  {96, 1},  {120, 1}, {143, 1}, {144, 1}, {168, 1},
                                          {191, 1}, {192, 2}, {240, 2}, {287, 2}, {288, 3}, {384, 4}};
    for (auto [dpi, scale] : scales) EXPECT_EQ(ScaleForDpi(dpi), scale) << dpi << " dpi";
}

TEST(Win32Scale, TheStripLandsOnTheWorkAreasBottomOfItsMonitor)
{
    // A second monitor to the right, at 200 %, with a taskbar 81 pixels high:
    // its bottom edge is not a whole number of art pixels down.
    const PixelBox monitor{1920, 0, 1920 + 3840, 2160};
    const PixelBox work{1920, 0, 1920 + 3840, 2079};
    const StripFrame frame = FrameFor(monitor, work, 2);
    EXPECT_EQ(frame.artWidth, 1920);
    EXPECT_EQ(frame.originX, 1920);
    // The strip the program docks there (28 art rows above artBottom) ends
    // exactly on the work area's bottom.
    const int top = frame.originY + (frame.artBottom - 28) * frame.scale;
    EXPECT_EQ(top + 28 * frame.scale, work.bottom);
    // An odd monitor width loses the half block at the right, never more.
    EXPECT_EQ(FrameFor(PixelBox{0, 0, 1367, 768}, PixelBox{0, 0, 1367, 768}, 2).artWidth, 683);
    // A taskbar at the side: the strip stands beside it, on the rest of the
    // width, its bottom on the monitor's bottom.
    const struct {
        const char* taskbar;
        PixelBox work;
        int scale;
        StripFrame expected;
    } sides[] = {
        {"left, 62 wide, at 100 %", {1920 + 62, 0, 5760, 2160}, 1, {1, 1982, 0, 3778, 2160}},
        {"left, 124 wide, at 200 %", {1920 + 124, 0, 5760, 2160}, 2, {2, 2044, 0, 1858, 1080}},
        {"right, 124 wide, at 200 %", {1920, 0, 5760 - 124, 2160}, 2, {2, 1920, 0, 1858, 1080}},
        {"left, an odd width at 200 %", {1920 + 123, 0, 5760, 2160}, 2, {2, 2043, 0, 1858, 1080}},
    };
    for (const auto& side : sides) {
        EXPECT_EQ(FrameFor(monitor, side.work, side.scale), side.expected) << side.taskbar;
    }
}

// A press lands on the art pixel whose block holds it: an element shaped to
// one art pixel catches every device pixel of that block and none beside it.
TEST(Win32Scale, APressReachesTheElementWhoseOutlineCoversItsBlock)
{
    static_assert(kTwipsPerArtPixel == kTwipsPerPixel, "the art is laid out as the stage lays it");
    Stage stage(40, 28);
    testing::LayStrip(stage, 40, 28);
    Element& star = stage.CreateElement(testing::Design(10, 3, 3, 2));
    // Only the middle pixel of the top row, art (11, 3), is the star.
    ASSERT_EQ(testing::Shape(star, {{1, 0, 2, 1}}), RegionResult::Ok);

    struct Press {
        int scale, x, y;
        bool onStar;
    };
    const Press presses[] = {
        {1, 11, 3, true},  {1, 10, 3, false}, {1, 11, 4, false},                     // the block is the pixel
        {2, 22, 6, true},  {2, 23, 7, true},  {2, 21, 6, false}, {2, 24, 7, false},  // its 2 x 2 block
        {2, 22, 8, false}, {3, 35, 11, true}, {3, 36, 9, false}, {3, 32, 9, false},  // and its 3 x 3 one
    };
    for (const Press& p : presses) {
        const Element* hit = stage.HitTest(ArtAt(p.x, p.scale), ArtAt(p.y, p.scale));
        EXPECT_EQ(hit, p.onStar ? &star : nullptr) << "scale " << p.scale << " at " << p.x << "," << p.y;
    }
    // Left of or above the strip's corner is never its first column or row.
    EXPECT_EQ(ArtAt(-1, 2), -1);
    EXPECT_EQ(ArtAt(-2, 2), -1);
    EXPECT_EQ(ArtAt(-3, 2), -2);
}

}  // namespace
}  // namespace seastrip
