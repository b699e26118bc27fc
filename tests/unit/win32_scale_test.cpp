// The Windows front's arithmetic between art pixels and device pixels, which
// Wine cannot show on a second monitor of another scale.
#include "front/win32/win32_scale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace seastrip {
namespace {

TEST(Win32Scale, WholeFactorsOnlyAndNeverBelowOne)
{
    const std::pair<int, int> scales[] = {{72, 1},  {96, 1},  {120, 1}, {143, 1}, {144, 1}, {168, 1},
                                          {191, 1}, {192, 2}, {240, 2}, {287, 2}, {288, 3}, {384, 4}};
    for (auto [dpi, scale] : scales) EXPECT_EQ(ScaleForDpi(dpi), scale) << dpi << " dpi";
}

TEST(Win32Scale, TheStripLandsOnTheWorkAreasBottomOfItsMonitorAndARepaintCoversWholeBlocks)
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
    // A repaint covers whole blocks.
    EXPECT_EQ(ArtCovering(PixelBox{3, 5, 7, 6}, 2), (PixelBox{1, 2, 4, 3}));
    EXPECT_EQ(ArtCovering(PixelBox{-1, 0, 2, 3}, 3), (PixelBox{-1, 0, 1, 1}));
    EXPECT_EQ(ArtCovering(PixelBox{4, 4, 8, 8}, 1), (PixelBox{4, 4, 8, 8}));
}

TEST(Win32Scale, ARegionRecordIsScaledRectangleByRectangleWithinItsLength)
{
    RegionRecord record{};
    record.header = RegionHeader{32, 1, 2, 32, 0, 0, 10, 5};
    record.rects[0] = RegionRect{0, 0, 10, 2};
    record.rects[1] = RegionRect{3, 2, 7, 5};
    record.rects[2] = RegionRect{1, 1, 2, 2};  // beyond the record's length
    const uint32_t bytes = 32 + 2 * 16;
    const std::vector<uint8_t> scaled =
        ScaledRegionRecord(reinterpret_cast<const uint8_t*>(&record), bytes, 3);
    ASSERT_EQ(scaled.size(), bytes);
    RegionRecord out{};
    std::memcpy(&out, scaled.data(), scaled.size());
    EXPECT_EQ(out.header.dwSize, 32u);
    EXPECT_EQ(out.header.nCount, 2u);
    EXPECT_EQ(out.header.boundRight, 30);
    EXPECT_EQ(out.header.boundBottom, 15);
    EXPECT_EQ(out.rects[0].right, 30);
    EXPECT_EQ(out.rects[1].left, 9);
    EXPECT_EQ(out.rects[1].bottom, 15);
    EXPECT_EQ(out.rects[2].right, 0);  // not copied, not invented
    // A record too short for its header is handed on untouched, for the
    // system to refuse; huge values saturate rather than wrap.
    EXPECT_EQ(ScaledRegionRecord(scaled.data(), 8, 2), std::vector<uint8_t>(scaled.begin(), scaled.begin() + 8));
    record.rects[0].right = INT32_MAX / 2 + 1;
    const std::vector<uint8_t> big = ScaledRegionRecord(reinterpret_cast<const uint8_t*>(&record), bytes, 4);
    std::memcpy(&out, big.data(), big.size());
    EXPECT_EQ(out.rects[0].right, INT32_MAX);
}

}  // namespace
}  // namespace seastrip
