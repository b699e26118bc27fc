#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/element.h"
#include "region_record_bytes.h"
#include "stage/nearest_scale.h"
#include "stage/stage.h"

namespace seastrip {
namespace {

using testing::RegionRecordBytes;

constexpr float kTpp = 15.0f;
constexpr Colour kRed{255, 0, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kSky{10, 20, 30};

RegionResult Shape(Element& element, const std::vector<RegionRectPx>& rects)
{
    const std::vector<uint8_t> record = RegionRecordBytes(rects);
    return element.ApplyRegionData(record.data(), static_cast<uint32_t>(record.size()));
}

ElementDesign Design(int x, int y, int w, int h, Colour fill, bool persistent = false, bool visible = true)
{
    ElementDesign design;
    design.name = "picTest";
    design.left = x * kTpp;
    design.top = y * kTpp;
    design.width = w * kTpp;
    design.height = h * kTpp;
    design.fill = fill;
    design.persistentImage = persistent;
    design.visible = visible;
    return design;
}

Picture MakePicture(int w, int h, Colour base)
{
    auto bitmap = std::make_shared<Bitmap>(w, h, base);
    // A marker in the corner so that placement errors show.
    bitmap->Set(0, 0, Colour{1, 2, 3});
    return bitmap;
}

// A strip of the given pixel size painted in one colour.
class StageTest : public ::testing::Test {
protected:
    explicit StageTest(int w = 64, int h = 28) : stage(w, h)
    {
        stage.Strip().SetWidth(w * kTpp);
        stage.Strip().SetHeight(h * kTpp);
        stage.Strip().SetFillColour(kSky);
        stage.Compose();
    }

    Colour FrameAt(int x, int y) const { return stage.Frame().At(x, y); }

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
    EXPECT_EQ(stage.HitTest(1, 1), &a);
    EXPECT_EQ(stage.HitTest(11, 1), nullptr) << "b took the new bytes, not the outline cached for the old ones";
    EXPECT_EQ(stage.HitTest(16, 6), &b);

    const auto wrongType = RegionRecordBytes({{0, 0, 4, 4}}, 32, 2);
    EXPECT_EQ(a.ApplyRegionData(wrongType.data(), static_cast<uint32_t>(wrongType.size())),
              RegionResult::CreateFailed);
    EXPECT_EQ(stage.HitTest(1, 1), &a);
    EXPECT_EQ(stage.HitTest(3, 3), nullptr);

    // Any number of different records: the cache stays bounded.
    for (int i = 0; i < 200; ++i) ASSERT_EQ(Shape(a, {{0, 0, 1 + i % 7, 1 + i / 7}}), RegionResult::Ok);
    EXPECT_LE(stage.Outlines().Size(), OutlineCache::kMaxEntries);
    EXPECT_EQ(stage.HitTest(3, 6), &a) << "the last of them (4 x 29) holds";
    EXPECT_EQ(stage.HitTest(5, 6), nullptr);
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
            uint32_t expected = kUntouched;
            if (x < 8 && x / 2 >= 2 && y / 2 >= 1) {
                const Colour c = frame.At(x / 2, y / 2);
                expected = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
            }
            EXPECT_EQ(image[static_cast<size_t>(y) * kStrideWords + x], expected) << x << "," << y;
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
                EXPECT_EQ(FrameAt(left + x, y), inside ? kRed : kSky) << left + x << "," << y;
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
    EXPECT_EQ(FrameAt(61, 1), kRed);
    EXPECT_EQ(FrameAt(62, 1), kSky) << "the pixel past the element's width must not show";
    EXPECT_EQ(stage.HitTest(62, 1), nullptr);
    EXPECT_EQ(stage.HitTest(61, 2), &e);
    EXPECT_EQ(FrameAt(61, 3), kSky);
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
    EXPECT_EQ(stage.HitTest(22, 3), &a);
    EXPECT_EQ(stage.HitTest(23, 4), &a);
    EXPECT_EQ(stage.HitTest(21, 3), nullptr);
    EXPECT_EQ(stage.HitTest(24, 3), nullptr);
    EXPECT_EQ(stage.HitTest(22, 5), nullptr);
    EXPECT_EQ(stage.HitTest(23, 10), nullptr);
    EXPECT_EQ(stage.HitTest(24, 10), &b);
    EXPECT_EQ(stage.HitTest(27, 10), &b);
    EXPECT_EQ(b.ReadPoint(3, 0), kBlue.Packed());
    EXPECT_EQ(b.ReadPoint(4, 0), kNoPixel);
    // The twips read back as they were set.
    EXPECT_EQ(a.Left(), 22.5f * kTpp);
}

TEST_F(StageTest, PersistentImageKeepsDrawingAndReadsMinusOneOutside)
{
    ElementDesign design = Design(4, 4, 6, 5, kGreen, true);
    design.picture = MakePicture(3, 2, kBlue);
    Element& e = stage.CreateElement(design);

    EXPECT_EQ(e.ReadPoint(0, 0), (Colour{1, 2, 3}.Packed()));
    EXPECT_EQ(e.ReadPoint(2, 1), kBlue.Packed());
    EXPECT_EQ(e.ReadPoint(3, 1), kGreen.Packed()) << "fill beside the picture";
    EXPECT_EQ(e.ReadPoint(5, 4), kGreen.Packed());
    EXPECT_EQ(e.ReadPoint(6, 0), kNoPixel);
    EXPECT_EQ(e.ReadPoint(0, 5), kNoPixel);
    EXPECT_EQ(e.ReadPoint(-1, 0), kNoPixel);

    e.SetPoint(5, 4, kRed);
    e.SetPoint(6, 4, kRed);  // outside: ignored
    e.FillBox(-2, 3, 3, 9, kRed);
    EXPECT_EQ(e.ReadPoint(5, 4), kRed.Packed());
    EXPECT_EQ(e.ReadPoint(0, 3), kRed.Packed());
    EXPECT_EQ(e.ReadPoint(0, 4), kRed.Packed());
    EXPECT_EQ(e.ReadPoint(1, 3), kGreen.Packed()) << "box of width 3 from x = -2 ends at x = 1";
    stage.Compose();
    EXPECT_EQ(FrameAt(9, 8), kRed);
    EXPECT_EQ(FrameAt(4, 7), kRed);

    // Growing keeps what was drawn and paints the new area with the fill.
    e.SetWidth(8 * kTpp);
    EXPECT_EQ(e.ReadPoint(5, 4), kRed.Packed());
    EXPECT_EQ(e.ReadPoint(7, 4), kGreen.Packed());
    EXPECT_EQ(e.ReadPoint(8, 4), kNoPixel);
    // Shrinking cuts the image; growing back does not bring the drawing back.
    e.SetHeight(4 * kTpp);
    EXPECT_EQ(e.ReadPoint(5, 4), kNoPixel);
    e.SetHeight(5 * kTpp);
    EXPECT_EQ(e.ReadPoint(5, 4), kGreen.Packed());

    // A new fill colour repaints the image: drawing gone, picture redrawn.
    e.SetPoint(1, 1, kRed);
    stage.Compose();
    e.SetFillColour(kSky);
    EXPECT_EQ(e.ReadPoint(0, 3), kSky.Packed());
    EXPECT_EQ(e.ReadPoint(1, 1), kBlue.Packed());
    EXPECT_EQ(e.FillColour(), kSky);
    ExpectFrameMatchesFullCompose();
}

TEST_F(StageTest, ElementWithoutImageShowsPictureOverFillAndTakesPictures)
{
    ElementDesign source = Design(0, 40, 4, 4, Colour{0, 0, 0}, false, false);
    source.picture = MakePicture(2, 3, kBlue);
    Element& holder = stage.CreateElement(source);
    Element& empty = stage.CreateElement(Design(0, 40, 4, 4, kRed, false, false));
    Element& palm = stage.CreateElement(Design(30, 2, 4, 4, kGreen));

    EXPECT_EQ(palm.ReadPoint(1, 1), kGreen.Packed());
    palm.TakePictureOf(holder);
    EXPECT_EQ(palm.GetPicture(), holder.GetPicture());
    EXPECT_EQ(palm.ReadPoint(1, 2), kBlue.Packed());
    EXPECT_EQ(palm.ReadPoint(2, 2), kGreen.Packed());
    EXPECT_EQ(palm.ReadPoint(1, 3), kGreen.Packed());
    EXPECT_EQ(palm.ReadPoint(4, 0), kNoPixel);
    stage.Compose();
    EXPECT_EQ(FrameAt(30, 2), (Colour{1, 2, 3}));
    EXPECT_EQ(FrameAt(31, 4), kBlue);
    EXPECT_EQ(FrameAt(32, 4), kGreen);

    // Drawing into it leaves nothing behind.
    palm.SetPoint(3, 3, kRed);
    EXPECT_EQ(palm.ReadPoint(3, 3), kGreen.Packed());

    // A source without a picture leaves the fill showing.
    palm.TakePictureOf(empty);
    EXPECT_EQ(palm.GetPicture(), nullptr);
    stage.Compose();
    EXPECT_EQ(FrameAt(30, 2), kGreen);
    EXPECT_EQ(FrameAt(31, 4), kGreen);
}

TEST(StageStretchTest, SamplesNearestSourcePixelAndSkipsOutsideTheSource)
{
    Stage stage(16, 16);
    Element& e = stage.CreateElement(Design(0, 0, 8, 4, kGreen, true));
    Bitmap source(4, 2);
    for (int x = 0; x < 4; ++x) {
        source.Set(x, 0, Colour{static_cast<uint8_t>(10 + x), 0, 0});
        source.Set(x, 1, Colour{static_cast<uint8_t>(20 + x), 0, 0});
    }
    // Four columns onto two: columns 0 and 2 are taken.
    e.StretchCopy(source, 0, 0, 4, 1, 0, 0, 2, 1);
    EXPECT_EQ(e.ReadPoint(0, 0), (Colour{10, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(1, 0), (Colour{12, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(2, 0), kGreen.Packed());
    // Two rows onto four: each row doubled.
    e.StretchCopy(source, 3, 0, 1, 2, 7, 0, 1, 4);
    EXPECT_EQ(e.ReadPoint(7, 1), (Colour{13, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(7, 2), (Colour{23, 0, 0}.Packed()));
    // A source rectangle hanging off the bitmap leaves those pixels alone,
    // and the destination is clipped to the image.
    e.StretchCopy(source, 2, 1, 4, 2, 2, 2, 8, 2);
    EXPECT_EQ(e.ReadPoint(2, 2), (Colour{22, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(3, 2), (Colour{22, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(5, 2), (Colour{23, 0, 0}.Packed()));
    EXPECT_EQ(e.ReadPoint(6, 2), kGreen.Packed()) << "source column 4 does not exist";
    EXPECT_EQ(e.ReadPoint(3, 3), kGreen.Packed()) << "source row 2 does not exist";
}

TEST_F(StageTest, StackingFollowsCreationAndBringToFront)
{
    Element& a = stage.CreateElement(Design(0, 0, 10, 10, kRed));
    Element& b = stage.CreateElement(Design(5, 5, 10, 10, kGreen));
    Element& c = stage.CreateElement(Design(8, 8, 10, 10, kBlue, false, false));
    EXPECT_EQ(stage.StackingOrder(), (std::vector<const Element*>{&a, &b, &c}));
    stage.Compose();
    EXPECT_EQ(FrameAt(6, 6), kGreen);
    EXPECT_EQ(stage.HitTest(6, 6), &b);
    EXPECT_EQ(stage.HitTest(9, 9), &b) << "the hidden element in front catches nothing";

    a.BringToFront();
    EXPECT_EQ(stage.StackingOrder(), (std::vector<const Element*>{&b, &c, &a}));
    stage.Compose();
    EXPECT_EQ(FrameAt(6, 6), kRed);
    EXPECT_EQ(FrameAt(12, 12), kGreen);
    EXPECT_EQ(stage.HitTest(6, 6), &a);
    ExpectFrameMatchesFullCompose();
}

TEST_F(StageTest, NewInstanceIsAHiddenCopyOfTheLowestInFront)
{
    ElementDesign design = Design(3, 4, 6, 5, kGreen, true);
    design.name = "picNami";
    design.picture = MakePicture(2, 2, kBlue);
    Element& lowest = stage.CreateElement(design);
    stage.CreateElement(Design(0, 0, 2, 2, kRed));  // the copy goes in front of this one too
    ASSERT_EQ(Shape(lowest, {{0, 0, 2, 5}}), RegionResult::Ok);
    lowest.SetPoint(4, 4, kRed);
    stage.Compose();

    Element& copy = stage.CreateInstance(lowest);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty()) << "a hidden copy changes nothing";
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ((std::vector{copy.Left(), copy.Top(), copy.Width(), copy.Height()}),
              (std::vector{lowest.Left(), lowest.Top(), lowest.Width(), lowest.Height()}));
    EXPECT_EQ(copy.FillColour(), kGreen);
    EXPECT_EQ(copy.GetPicture(), lowest.GetPicture());
    EXPECT_EQ(copy.ReadPoint(4, 4), kRed.Packed());
    EXPECT_STREQ(Stage::NameOf(copy), "picNami");
    EXPECT_EQ(stage.StackingOrder().back(), &copy);
    EXPECT_EQ(stage.ElementCount(), 3);

    // The image is a copy, not shared; the outline came along.
    copy.SetPoint(0, 0, kSky);
    EXPECT_EQ(lowest.ReadPoint(0, 0), (Colour{1, 2, 3}.Packed()));
    lowest.SetVisible(false);
    copy.SetLeft(40 * kTpp);
    copy.SetVisible(true);
    stage.Compose();
    EXPECT_EQ(stage.HitTest(41, 5), &copy);
    EXPECT_EQ(stage.HitTest(42, 5), nullptr);
    EXPECT_EQ(FrameAt(40, 4), kSky);
    EXPECT_EQ(FrameAt(41, 6), kGreen);
}

class WideStripTest : public StageTest {
protected:
    WideStripTest() : StageTest(1920, 28) {}
};

TEST_F(WideStripTest, ChangedRectsCoverTheChangesAndNoMoreAndFarApartOnesStayApart)
{
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{0, 0, 1920, 28})) << "first frame is whole";
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty());

    // A three-pixel wave tile moving one pixel to the right.
    Element& wave = stage.CreateElement(Design(330, 21, 320, 3, kBlue));
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{330, 21, 320, 3}));
    wave.SetLeft(331 * kTpp);
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{330, 21, 321, 3}));

    // Sub-pixel moves, repeated values and hiding twice change nothing.
    wave.SetLeft(331 * kTpp + 4);
    wave.SetLeft(331 * kTpp);
    wave.SetVisible(true);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty());

    // Drawing into a hidden element is not seen; into a visible one only the
    // drawn pixels within its outline are.
    Element& sun = stage.CreateElement(Design(900, 0, 11, 16, kRed, true, false));
    sun.FillBox(0, 0, 11, 16, kGreen);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty());
    sun.SetVisible(true);
    stage.Compose();
    ASSERT_EQ(Shape(sun, {{2, 2, 6, 6}}), RegionResult::Ok);
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{900, 0, 11, 16}));
    sun.FillBox(0, 0, 4, 4, kBlue);
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{902, 2, 2, 2}));
    sun.FillBox(0, 0, 4, 4, kBlue);  // same colours again
    sun.SetPoint(10, 10, kRed);      // outside the outline
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty());

    // Repainting the strip's band is the band only.
    stage.Strip().FillBox(0, 16, 1920, 3, kRed);
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{0, 16, 1920, 3}));
    ExpectFrameMatchesFullCompose();

    // An element moving about below the strip is never part of the frame.
    Element& holder = stage.CreateElement(Design(10, 60, 30, 20, kRed));
    holder.SetLeft(50 * kTpp);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty());

    // Far-apart changes are recomposed apart.
    Element& star = stage.CreateElement(Design(1500, 0, 16, 16, kRed, true));
    stage.Compose();
    stage.Strip().FillBox(0, 21, 1920, 3, kBlue);  // the waves' band
    star.FillBox(0, 2, 16, 4, kGreen);              // a band of the shooting star
    stage.Strip().FillBox(10, 24, 6, 5, kGreen);    // the walker, touching the waves' band
    stage.Compose();
    const auto& rects = stage.ChangedRects();
    ASSERT_EQ(rects.size(), 2u);
    long area = 0;
    for (const PixelRect& r : rects) area += static_cast<long>(r.w) * r.h;
    // The walker joins the band it touches; the star stays apart.
    EXPECT_EQ(area, 16 * 4 + 1920 * 7) << "no full-height recomposition";
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{0, 2, 1920, 26}));
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
    ElementDesign cloudDesign = Design(5, 0, 12, 10, kGreen, true);
    cloudDesign.picture = MakePicture(5, 5, kBlue);
    Element& cloud = stage.CreateElement(cloudDesign);
    Element& star = stage.CreateElement(Design(0, 0, 40, 16, kRed, false, false));
    ASSERT_EQ(Shape(star, {{1, 1, 2, 2}, {7, 3, 9, 4}, {30, 10, 33, 12}}), RegionResult::Ok);
    Element& wave = stage.CreateInstance(cloud);
    ExpectFrameMatchesFullCompose();

    star.SetVisible(true);
    ExpectFrameMatchesFullCompose();
    star.SetFillColour(kBlue);
    ExpectFrameMatchesFullCompose();
    cloud.BringToFront();
    ExpectFrameMatchesFullCompose();
    ASSERT_EQ(Shape(cloud, {{0, 0, 12, 3}, {2, 3, 10, 9}}), RegionResult::Ok);
    ExpectFrameMatchesFullCompose();
    wave.SetVisible(true);
    wave.SetTop(20 * kTpp);
    ExpectFrameMatchesFullCompose();
    wave.SetHeight(4 * kTpp);
    wave.SetWidth(30 * kTpp);
    ExpectFrameMatchesFullCompose();
    cloud.SetLeft(50 * kTpp);
    const Bitmap dusk(3, 3, kSky);
    cloud.StretchCopy(dusk, 0, 0, 3, 3, 0, 0, 12, 10);
    ExpectFrameMatchesFullCompose();
    star.BringToFront();
    cloud.TakePictureOf(star);
    ExpectFrameMatchesFullCompose();
    stage.Strip().SetWidth(70 * kTpp);
    stage.Compose();
    EXPECT_EQ(stage.ChangedRect(), (PixelRect{0, 0, 70, 28})) << "a new frame size recomposes all";
    ExpectFrameMatchesFullCompose();
}

}  // namespace
}  // namespace seastrip
