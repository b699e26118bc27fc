#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "stage/nearest_scale.h"
#include "stage_helpers.h"

namespace seastrip::testing {
namespace {

constexpr float kTpp = kTwipsPerPixel;
constexpr Colour kRed{255, 0, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kSky{10, 20, 30};
constexpr Colour kMarker{1, 2, 3};

// A picture of one colour with a marker in the corner, so that placement
// errors show.
ElementDesign WithPicture(ElementDesign design, int w, int h, Colour base)
{
    auto bitmap = std::make_shared<Bitmap>(w, h, base);
    bitmap->Set(0, 0, kMarker);
    design.picture = bitmap;
    return design;
}

// A strip of the given pixel size painted in one colour.
class StageTest : public ::testing::Test {
protected:
    explicit StageTest(int w = 64, int h = 28) : stage(w, h)
    {
        LayStrip(stage, w, h, kSky);
        stage.Compose();
    }

    // The frame that a full recomposition would give must equal the one the
    // incremental composition kept: anything less means a missed invalidation.
    void ExpectFrameMatchesFullCompose()
    {
        const Bitmap incremental = stage.Compose();
        stage.InvalidateAll();
        const Bitmap& full = stage.Compose();
        ASSERT_EQ(incremental.width, full.width);
        ASSERT_EQ(incremental.height, full.height);
        EXPECT_TRUE(incremental.rgb == full.rgb);
        stage.Compose();
    }

    // Composes, and answers the rectangle recomposed.
    PixelRect Recomposed()
    {
        stage.Compose();
        return stage.ChangedRect();
    }

    Stage stage;
};

TEST_F(StageTest, OutlinesAreSharedByTheirBytesAndAFailedShapingLeavesTheOutlineAsItWas)
{
    Element& a = stage.CreateElement(Design(0, 0, 8, 8, kRed));
    Element& b = stage.CreateElement(Design(10, 0, 8, 8, kRed));
    // One buffer rewritten in place between two shapings, as a caller may.
    auto record = RegionRecordBytes({{0, 0, 2, 2}});
    ASSERT_EQ(a.ApplyRegionData(record.data(), static_cast<uint32_t>(record.size())), RegionResult::Ok);
    record = RegionRecordBytes({{5, 5, 8, 8}});
    ASSERT_EQ(b.ApplyRegionData(record.data(), static_cast<uint32_t>(record.size())), RegionResult::Ok);
    EXPECT_TRUE(Hits(stage, {{1, 1, &a}, {11, 1, nullptr}, {16, 6, &b}}))
        << "b took the new bytes, not the outline cached for the old ones";

    EXPECT_EQ(Shape(a, {{0, 0, 4, 4}}, 2), RegionResult::CreateFailed) << "a record of the wrong type";
    EXPECT_TRUE(Hits(stage, {{1, 1, &a}, {3, 3, nullptr}}));

    // Any number of different records: the cache stays bounded.
    for (int i = 0; i < 200; ++i) ASSERT_EQ(Shape(a, {{0, 0, 1 + i % 7, 1 + i / 7}}), RegionResult::Ok);
    EXPECT_LE(stage.Outlines().Size(), OutlineCache::kMaxEntries);
    EXPECT_TRUE(Hits(stage, {{3, 6, &a}, {5, 6, nullptr}})) << "the last of them (4 x 29) holds";
}

TEST(NearestScaleTest, EveryPixelBecomesACrispBlockAndARectangleLandsInTheDeviceImageAlone)
{
    Bitmap frame(4, 3);
    for (int i = 0; i < 12; ++i) {
        frame.Set(i % 4, i / 4, Colour{static_cast<uint8_t>(20 * i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i)});
    }
    const Bitmap big = ScaleNearest(frame, 3);
    ASSERT_EQ(big.width, 12);
    ASSERT_EQ(big.height, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) EXPECT_EQ(big.At(x, y), frame.At(x / 3, y / 3)) << x << "," << y;
    EXPECT_TRUE(ScaleNearest(frame, 1).rgb == frame.rgb);

    // The device image at scale 2 is 8 x 6 words; its rows are padded to 10
    // words, as an X server or cairo may pad them.
    constexpr int kStrideWords = 10;
    constexpr uint32_t kUntouched = 0xDEADBEEF;
    std::vector<uint32_t> image(kStrideWords * 6, kUntouched);
    // The rectangle reaches past the frame's right and bottom edges.
    ScaleNearestInto(frame, PixelRect{2, 1, 5, 5}, 2, reinterpret_cast<uint8_t*>(image.data()), kStrideWords * 4);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < kStrideWords; ++x) {
            const Colour c = frame.At(x / 2 % 4, y / 2);
            const uint32_t inside = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
            EXPECT_EQ(image[static_cast<size_t>(y) * kStrideWords + x],
                      x < 8 && x / 2 >= 2 && y / 2 >= 1 ? inside : kUntouched)
                << x << "," << y;
        }
    }
}

TEST_F(StageTest, RegionCutsWhatShowsAndWhatCatchesPressesWhereverTheElementGoesWithinItsCurrentSize)
{
    // Overlapping and unordered rectangles form their union; right and
    // bottom edges are exclusive.
    Element& e = stage.CreateElement(Design(0, 0, 20, 4, kRed));
    ASSERT_EQ(Shape(e, {{12, 0, 13, 2}, {0, 0, 10, 1}, {2, 0, 3, 3}, {10, 1, 12, 2}, {4, 0, 6, 2}}),
              RegionResult::Ok);
    const char* rows[] = {"XXXXXXXXXX..X.......", "..X.XX....XXX.......", "..X.................",
                          "...................."};
    // Whether the shape shows and catches presses with its corner at x = left.
    auto expectShape = [&](int left, bool shown) {
        stage.Compose();
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool inside = shown && rows[y][x] == 'X';
                EXPECT_EQ(stage.HitTest(left + x, y), inside ? &e : nullptr) << left + x << "," << y;
                EXPECT_EQ(stage.Frame().At(left + x, y), inside ? kRed : kSky) << left + x << "," << y;
            }
        }
    };
    expectShape(0, true);
    e.SetLeft(30 * kTpp);
    expectShape(0, false);
    expectShape(30, true);
    // A hidden element neither shows nor catches a press; nor does an empty outline.
    e.SetVisible(false);
    expectShape(30, false);
    e.SetVisible(true);
    ASSERT_EQ(Shape(e, {}), RegionResult::Ok);
    expectShape(30, false);

    // Shaped while narrow, then widened: the outline is cut to the new width.
    ASSERT_EQ(Shape(e, {{0, 0, 33, 3}}), RegionResult::Ok);
    e.SetWidth(32 * kTpp);
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{61, 1, kRed}, {62, 1, kSky}, {61, 3, kSky}}))
        << "the pixel past the element's width must not show";
    EXPECT_TRUE(Hits(stage, {{62, 1, nullptr}, {61, 2, &e}}));
}

TEST_F(StageTest, TwipsBecomePixelsRoundingHalvesToEven)
{
    // 22.5 px goes to 22, 23.5 px to 24, 2.6 px to 3; sizes round the same way.
    Element& a = stage.CreateElement(Design(0, 0, 1, 1, kRed));
    a.SetLeft(22.5f * kTpp);
    a.SetTop(2.6f * kTpp);
    a.SetWidth(2.5f * kTpp);
    a.SetHeight(1.5f * kTpp);
    Element& b = stage.CreateElement(Design(0, 10, 1, 1, kBlue, true));
    b.SetLeft(23.5f * kTpp);
    b.SetWidth(3.5f * kTpp);
    stage.Compose();
    EXPECT_TRUE(Hits(stage, {{22, 3, &a}, {23, 4, &a}, {21, 3, nullptr}, {24, 3, nullptr}, {22, 5, nullptr},
                             {23, 10, nullptr}, {24, 10, &b}, {27, 10, &b}}));
    EXPECT_TRUE(Reads(b, {{3, 0, kBlue}, {4, 0, kNoPixel}}));
    EXPECT_EQ(a.Left(), 22.5f * kTpp) << "the twips read back as they were set, unrounded";
}

TEST_F(StageTest, PersistentImageKeepsDrawingAndReadsMinusOneOutside)
{
    Element& e = stage.CreateElement(WithPicture(Design(4, 4, 6, 5, kGreen, true), 3, 2, kBlue));
    EXPECT_TRUE(Reads(e, {{0, 0, kMarker}, {2, 1, kBlue}, {3, 1, kGreen}, {5, 4, kGreen}, {6, 0, kNoPixel},
                          {0, 5, kNoPixel}, {-1, 0, kNoPixel}}))
        << "the picture, the fill beside it, nothing outside";

    e.SetPoint(5, 4, kRed);
    e.SetPoint(6, 4, kRed);  // outside: ignored
    e.FillBox(-2, 3, 3, 9, kRed);
    EXPECT_TRUE(Reads(e, {{5, 4, kRed}, {0, 3, kRed}, {0, 4, kRed}, {1, 3, kGreen}}))
        << "a box of width 3 from x = -2 ends at x = 1";
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{9, 8, kRed}, {4, 7, kRed}}));

    // Growing keeps what was drawn and paints the new area with the fill.
    e.SetWidth(8 * kTpp);
    EXPECT_TRUE(Reads(e, {{5, 4, kRed}, {7, 4, kGreen}, {8, 4, kNoPixel}}));
    // Shrinking cuts the image; growing back does not bring the drawing back.
    e.SetHeight(4 * kTpp);
    EXPECT_TRUE(Reads(e, {{5, 4, kNoPixel}}));
    e.SetHeight(5 * kTpp);
    EXPECT_TRUE(Reads(e, {{5, 4, kGreen}}));

    // A new fill colour repaints the image: drawing gone, picture redrawn.
    e.SetPoint(1, 1, kRed);
    stage.Compose();
    e.SetFillColour(kSky);
    EXPECT_TRUE(Reads(e, {{0, 3, kSky}, {1, 1, kBlue}}));
    EXPECT_EQ(e.FillColour(), kSky);
    ExpectFrameMatchesFullCompose();
}

TEST_F(StageTest, ElementWithoutImageShowsPictureOverFillAndTakesPictures)
{
    Element& holder = stage.CreateElement(WithPicture(Design(0, 40, 4, 4, {}, false, false), 2, 3, kBlue));
    Element& empty = stage.CreateElement(Design(0, 40, 4, 4, kRed, false, false));
    Element& palm = stage.CreateElement(Design(30, 2, 4, 4, kGreen));

    EXPECT_TRUE(Reads(palm, {{1, 1, kGreen}}));
    palm.TakePictureOf(holder);
    EXPECT_EQ(palm.GetPicture(), holder.GetPicture());
    EXPECT_TRUE(Reads(palm, {{1, 2, kBlue}, {2, 2, kGreen}, {1, 3, kGreen}, {4, 0, kNoPixel}}));
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{30, 2, kMarker}, {31, 4, kBlue}, {32, 4, kGreen}}));

    // Drawing into it leaves nothing behind.
    palm.SetPoint(3, 3, kRed);
    EXPECT_TRUE(Reads(palm, {{3, 3, kGreen}}));

    // A source without a picture leaves the fill showing.
    palm.TakePictureOf(empty);
    EXPECT_EQ(palm.GetPicture(), nullptr);
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{30, 2, kGreen}, {31, 4, kGreen}}));
}

TEST(StageStretchTest, SamplesNearestSourcePixelAndSkipsOutsideTheSource)
{
    Stage stage(16, 16);
    Element& e = stage.CreateElement(Design(0, 0, 8, 4, kGreen, true));
    Bitmap source(4, 2);
    auto red = [](int r) { return Colour{static_cast<uint8_t>(r), 0, 0}; };
    for (int x = 0; x < 4; ++x) {
        source.Set(x, 0, red(10 + x));
        source.Set(x, 1, red(20 + x));
    }
    // Four columns onto two: columns 0 and 2 are taken.
    e.StretchCopy(source, 0, 0, 4, 1, 0, 0, 2, 1);
    EXPECT_TRUE(Reads(e, {{0, 0, red(10)}, {1, 0, red(12)}, {2, 0, kGreen}}));
    // Two rows onto four: each row doubled.
    e.StretchCopy(source, 3, 0, 1, 2, 7, 0, 1, 4);
    EXPECT_TRUE(Reads(e, {{7, 1, red(13)}, {7, 2, red(23)}}));
    // A source rectangle hanging off the bitmap leaves those pixels alone
    // (source column 4 and row 2 do not exist), and the destination is
    // clipped to the image.
    e.StretchCopy(source, 2, 1, 4, 2, 2, 2, 8, 2);
    EXPECT_TRUE(Reads(e, {{2, 2, red(22)}, {3, 2, red(22)}, {5, 2, red(23)}, {6, 2, kGreen}, {3, 3, kGreen}}));
}

TEST_F(StageTest, StackingFollowsCreationAndBringToFront)
{
    Element& a = stage.CreateElement(Design(0, 0, 10, 10, kRed));
    Element& b = stage.CreateElement(Design(5, 5, 10, 10, kGreen));
    Element& c = stage.CreateElement(Design(8, 8, 10, 10, kBlue, false, false));
    EXPECT_EQ(stage.StackingOrder(), (std::vector<const Element*>{&a, &b, &c}));
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{6, 6, kGreen}}));
    EXPECT_TRUE(Hits(stage, {{6, 6, &b}, {9, 9, &b}})) << "the hidden element in front catches nothing";

    a.BringToFront();
    EXPECT_EQ(stage.StackingOrder(), (std::vector<const Element*>{&b, &c, &a}));
    stage.Compose();
    EXPECT_TRUE(Shows(stage.Frame(), {{6, 6, kRed}, {12, 12, kGreen}}));
    EXPECT_TRUE(Hits(stage, {{6, 6, &a}}));
    ExpectFrameMatchesFullCompose();
}

TEST_F(StageTest, NewInstanceIsAHiddenCopyOfTheLowestInFront)
{
    ElementDesign design = WithPicture(Design(3, 4, 6, 5, kGreen, true), 2, 2, kBlue);
    design.name = "picNami";
    Element& lowest = stage.CreateElement(design);
    stage.CreateElement(Design(0, 0, 2, 2, kRed));  // the copy goes in front of this one too
    ASSERT_EQ(Shape(lowest, {{0, 0, 2, 5}}), RegionResult::Ok);
    lowest.SetPoint(4, 4, kRed);
    stage.Compose();

    Element& copy = stage.CreateInstance(lowest);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty()) << "a hidden copy changes nothing";
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(Box(copy), Box(lowest));
    EXPECT_EQ(copy.FillColour(), kGreen);
    EXPECT_EQ(copy.GetPicture(), lowest.GetPicture());
    EXPECT_TRUE(Reads(copy, {{4, 4, kRed}}));
    EXPECT_STREQ(Stage::NameOf(copy), "picNami");
    EXPECT_EQ(stage.StackingOrder().back(), &copy);
    EXPECT_EQ(stage.ElementCount(), 3);

    // The image is a copy, not shared; the outline came along.
    copy.SetPoint(0, 0, kSky);
    EXPECT_TRUE(Reads(lowest, {{0, 0, kMarker}}));
    lowest.SetVisible(false);
    copy.SetLeft(40 * kTpp);
    copy.SetVisible(true);
    stage.Compose();
    EXPECT_TRUE(Hits(stage, {{41, 5, &copy}, {42, 5, nullptr}}));
    EXPECT_TRUE(Shows(stage.Frame(), {{40, 4, kSky}, {41, 6, kGreen}}));
}

class WideStripTest : public StageTest {
protected:
    WideStripTest() : StageTest(1920, 28) {}
};

TEST_F(WideStripTest, ChangedRectsCoverTheChangesAndNoMoreAndFarApartOnesStayApart)
{
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{0, 0, 1920, 28})) << "first frame is whole";
    EXPECT_TRUE(Recomposed().Empty());

    // A three-pixel wave tile moving one pixel to the right.
    Element& wave = stage.CreateElement(Design(330, 21, 320, 3, kBlue));
    EXPECT_EQ(Recomposed(), (PixelRect{330, 21, 320, 3}));
    wave.SetLeft(331 * kTpp);
    EXPECT_EQ(Recomposed(), (PixelRect{330, 21, 321, 3}));

    // Sub-pixel moves, repeated values and hiding twice change nothing.
    wave.SetLeft(331 * kTpp + 4);
    wave.SetLeft(331 * kTpp);
    wave.SetVisible(true);
    EXPECT_TRUE(Recomposed().Empty());

    // Drawing into a hidden element is not seen; into a visible one only the
    // drawn pixels within its outline are.
    Element& sun = stage.CreateElement(Design(900, 0, 11, 16, kRed, true, false));
    sun.FillBox(0, 0, 11, 16, kGreen);
    EXPECT_TRUE(Recomposed().Empty());
    sun.SetVisible(true);
    stage.Compose();
    ASSERT_EQ(Shape(sun, {{2, 2, 6, 6}}), RegionResult::Ok);
    EXPECT_EQ(Recomposed(), (PixelRect{900, 0, 11, 16}));
    sun.FillBox(0, 0, 4, 4, kBlue);
    EXPECT_EQ(Recomposed(), (PixelRect{902, 2, 2, 2}));
    sun.FillBox(0, 0, 4, 4, kBlue);  // same colours again
    sun.SetPoint(10, 10, kRed);      // outside the outline
    EXPECT_TRUE(Recomposed().Empty());

    // Repainting the strip's band is the band only.
    stage.Strip().FillBox(0, 16, 1920, 3, kRed);
    EXPECT_EQ(Recomposed(), (PixelRect{0, 16, 1920, 3}));
    ExpectFrameMatchesFullCompose();

    // An element moving about below the strip is never part of the frame.
    Element& holder = stage.CreateElement(Design(10, 60, 30, 20, kRed));
    holder.SetLeft(50 * kTpp);
    EXPECT_TRUE(Recomposed().Empty());

    // Far-apart changes are recomposed apart.
    Element& star = stage.CreateElement(Design(1500, 0, 16, 16, kRed, true));
    stage.Compose();
    stage.Strip().FillBox(0, 21, 1920, 3, kBlue);  // the waves' band
    star.FillBox(0, 2, 16, 4, kGreen);              // a band of the shooting star
    stage.Strip().FillBox(10, 24, 6, 5, kGreen);    // the walker, touching the waves' band
    EXPECT_EQ(Recomposed(), (PixelRect{0, 2, 1920, 26}));
    const auto& rects = stage.ChangedRects();
    ASSERT_EQ(rects.size(), 2u);
    // The walker joins the band it touches; the star stays apart.
    EXPECT_EQ(Area(rects[0]) + Area(rects[1]), 16 * 4 + 1920 * 7) << "no full-height recomposition";
    ExpectFrameMatchesFullCompose();

    // Many scattered changes stay a short list that still covers them all.
    for (int i = 0; i < 20; ++i) stage.Strip().SetPoint(i * 90, i % 28, kRed);
    stage.Compose();
    EXPECT_LE(stage.ChangedRects().size(), 6u);
    ExpectFrameMatchesFullCompose();
}

TEST_F(StageTest, IncrementalFramesMatchFullRecomposition)
{
    // A mixed run of operations; after each, the kept frame must equal a
    // frame composed from scratch.
    Element& cloud = stage.CreateElement(WithPicture(Design(5, 0, 12, 10, kGreen, true), 5, 5, kBlue));
    Element& star = stage.CreateElement(Design(0, 0, 40, 16, kRed, false, false));
    ASSERT_EQ(Shape(star, {{1, 1, 2, 2}, {7, 3, 9, 4}, {30, 10, 33, 12}}), RegionResult::Ok);
    Element& wave = stage.CreateInstance(cloud);
    ExpectFrameMatchesFullCompose();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"a hidden element shown", [&] { star.SetVisible(true); }},
        {"a new fill", [&] { star.SetFillColour(kBlue); }},
        {"brought to the front", [&] { cloud.BringToFront(); }},
        {"reshaped", [&] { EXPECT_EQ(Shape(cloud, {{0, 0, 12, 3}, {2, 3, 10, 9}}), RegionResult::Ok); }},
        {"an instance shown and moved down", [&] { wave.SetVisible(true); wave.SetTop(20 * kTpp); }},
        {"resized", [&] { wave.SetHeight(4 * kTpp); wave.SetWidth(30 * kTpp); }},
        {"moved and stretched into",
         [&] { cloud.SetLeft(50 * kTpp); cloud.StretchCopy(Bitmap(3, 3, kSky), 0, 0, 3, 3, 0, 0, 12, 10); }},
        {"raised and another's picture taken", [&] { star.BringToFront(); cloud.TakePictureOf(star); }},
    };
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        step();
        ExpectFrameMatchesFullCompose();
    }
    stage.Strip().SetWidth(70 * kTpp);
    EXPECT_EQ(Recomposed(), (PixelRect{0, 0, 70, 28})) << "a new frame size recomposes all";
    ExpectFrameMatchesFullCompose();
}

}  // namespace
}  // namespace seastrip::testing
