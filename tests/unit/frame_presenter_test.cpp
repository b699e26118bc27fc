#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "front/common/frame_output.h"
#include "platform/twips.h"
#include "stage/stage.h"

namespace seastrip {
namespace {

constexpr Colour kSky{10, 20, 30};
constexpr uint32_t kSkyWord = 0x0A141E;
constexpr uint32_t kRedWord = 0xFF0000;

// An output in memory that keeps what it is asked for.
class MemoryOutput final : public FrameOutput {
public:
    bool Resize(int w, int h) override
    {
        ++resizes;
        if (refuse) return false;
        if (w != width || h != height) pixels.assign(static_cast<size_t>(w) * h * 4, 0);
        width = w;
        height = h;
        return true;
    }
    uint8_t* Pixels() override { return pixels.data(); }
    ptrdiff_t Stride() const override { return static_cast<ptrdiff_t>(width) * 4; }
    void Show(std::span<const PixelRect> rects) override { shown.emplace_back(rects.begin(), rects.end()); }

    uint32_t At(int x, int y) const
    {
        uint32_t word = 0;
        std::memcpy(&word, &pixels[(static_cast<size_t>(y) * width + x) * 4], 4);
        return word;
    }

    bool refuse = false;
    int resizes = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    std::vector<std::vector<PixelRect>> shown;  // each Show's rectangles
};

// A 64 x 28 sky with a red 4 x 4 element at (10, 10), shown at scale 2.
class FramePresenterTest : public ::testing::Test {
protected:
    FramePresenterTest() : stage(64, 28), presenter(stage)
    {
        stage.Strip().SetWidth(64 * kTwipsPerPixel);
        stage.Strip().SetHeight(28 * kTwipsPerPixel);
        stage.Strip().SetFillColour(kSky);
        ElementDesign design;
        design.left = design.top = 10 * kTwipsPerPixel;
        design.width = design.height = 4 * kTwipsPerPixel;
        design.fill = Colour{255, 0, 0};
        box = &stage.CreateElement(design);
        presenter.SetOutput(&output);
        presenter.SetScale(2);
    }

    Stage stage;
    FramePresenter presenter;
    MemoryOutput output;
    Element* box = nullptr;
};

TEST_F(FramePresenterTest, AFirstRefreshShowsTheWholeFrameInBlocksAndAnIdleOneAsksTheOutputForNothing)
{
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.width, 128);
    EXPECT_EQ(output.height, 56);
    ASSERT_EQ(output.shown.size(), 1u);
    EXPECT_EQ(output.shown[0], (std::vector<PixelRect>{{0, 0, 128, 56}}));
    EXPECT_EQ(output.At(20, 20), kRedWord);
    EXPECT_EQ(output.At(27, 27), kRedWord);
    EXPECT_EQ(output.At(28, 28), kSkyWord);

    const int resizes = output.resizes;
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown.size(), 1u) << "nothing changed: nothing shown";
    EXPECT_EQ(output.resizes, resizes) << "nor the image asked for";
}

TEST_F(FramePresenterTest, AChangeShowsOnlyItsBlocksAndANewScaleOrOutputIsShownWhole)
{
    ASSERT_TRUE(presenter.Refresh());
    box->SetLeft(30 * kTwipsPerPixel);
    ASSERT_TRUE(presenter.Refresh());
    ASSERT_EQ(output.shown.size(), 2u);
    int area = 0;
    for (const PixelRect& rect : output.shown[1]) {
        EXPECT_EQ(Intersect(rect, PixelRect{20, 20, 48, 8}), rect) << "inside the old and new place";
        area += rect.w * rect.h;
    }
    EXPECT_GE(area, 2 * 8 * 8);
    EXPECT_EQ(output.At(20, 20), kSkyWord) << "the old place is sky again";
    EXPECT_EQ(output.At(60, 20), kRedWord);

    presenter.SetScale(3);
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown.back(), (std::vector<PixelRect>{{0, 0, 192, 84}}));
    EXPECT_EQ(output.At(90, 30), kRedWord);

    // A new output's first draw is filled from the last frame, composing
    // nothing and showing nothing itself.
    MemoryOutput fresh;
    presenter.SetOutput(&fresh);
    ASSERT_TRUE(presenter.Prepare());
    EXPECT_TRUE(fresh.shown.empty());
    EXPECT_EQ(fresh.At(90, 30), kRedWord);
    EXPECT_EQ(fresh.At(0, 0), kSkyWord);
}

TEST_F(FramePresenterTest, AnImageThatCannotBeMadeIsTriedAgainAndThenShownWhole)
{
    output.refuse = true;
    EXPECT_FALSE(presenter.Refresh());
    EXPECT_FALSE(presenter.Prepare());
    EXPECT_TRUE(output.shown.empty());
    output.refuse = false;
    ASSERT_TRUE(presenter.Refresh());
    ASSERT_EQ(output.shown.size(), 1u);
    EXPECT_EQ(output.shown[0], (std::vector<PixelRect>{{0, 0, 128, 56}}));
    EXPECT_EQ(output.At(20, 20), kRedWord);
}

}  // namespace
}  // namespace seastrip
