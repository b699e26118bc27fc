// Compose, scale, show: what the desktop fronts' frame outputs are handed.
#include "front/common/frame_output.h"

#include <gtest/gtest.h>

#include <vector>

#include "stage/nearest_scale.h"
#include "stage_helpers.h"

namespace seastrip::testing {
namespace {

constexpr float kTpp = kTwipsPerPixel;

// An output in memory that remembers what it was asked to show.
class MemoryOutput final : public FrameOutput {
public:
    bool Resize(int width, int height) override
    {
        ++resizes;
        if (refuse) return false;
        if (width != width_ || height != height_) words.assign(static_cast<size_t>(width) * height, 0xDEADu);
        width_ = width;
        height_ = height;
        return true;
    }
    uint8_t* Pixels() override { return reinterpret_cast<uint8_t*>(words.data()); }
    ptrdiff_t Stride() const override { return static_cast<ptrdiff_t>(width_) * 4; }
    void Show(std::span<const PixelRect> rects) override { shown.assign(rects.begin(), rects.end()); ++shows; }

    // The image equals the frame enlarged, every pixel of it.
    bool Holds(const Bitmap& frame, int scale) const
    {
        const Bitmap big = ScaleNearest(frame, scale);
        if (big.width != width_ || big.height != height_) return false;
        for (int y = 0; y < big.height; ++y)
            for (int x = 0; x < big.width; ++x) {
                const Colour c = big.At(x, y);
                const uint32_t word = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
                if (words[static_cast<size_t>(y) * width_ + x] != word) return false;
            }
        return true;
    }

    std::vector<uint32_t> words;
    std::vector<PixelRect> shown;
    int shows = 0;
    int resizes = 0;
    bool refuse = false;

private:
    int width_ = 0;
    int height_ = 0;
};

TEST(FramePresenter, ShowsTheWholeFrameAtFirstThenOnlyWhatChangedEnlargedAndNothingWhenNothingDid)
{
    Stage stage(40, 28);
    LayStrip(stage, 40, 6, Colour{10, 20, 30});
    Element& box = stage.CreateElement(Design(4, 0, 2, 2, Colour{200, 0, 0}));
    MemoryOutput output;
    FramePresenter presenter(stage);
    presenter.SetOutput(&output);
    presenter.SetScale(2);

    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown, (std::vector<PixelRect>{{0, 0, 80, 12}}));
    EXPECT_TRUE(output.Holds(stage.Frame(), 2));

    // A move shows the old and the new place, in device pixels, and leaves
    // nothing of the old one in the image.
    box.SetLeft(30 * kTpp);
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown, (std::vector<PixelRect>{{8, 0, 4, 4}, {60, 0, 4, 4}}));
    EXPECT_TRUE(output.Holds(stage.Frame(), 2));

    const int shows = output.shows;
    const int resizes = output.resizes;
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shows, shows) << "nothing changed, yet something was shown";
    EXPECT_EQ(output.resizes, resizes);

    // A new scale, and a new width, are shown whole.
    presenter.SetScale(3);
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown, (std::vector<PixelRect>{{0, 0, 120, 18}}));
    EXPECT_TRUE(output.Holds(stage.Frame(), 3));
    stage.Strip().SetWidth(20 * kTpp);
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown, (std::vector<PixelRect>{{0, 0, 60, 18}}));

    // An image that cannot be made is tried again, whole, with the changes
    // made meanwhile in it.
    output.refuse = true;
    stage.Strip().SetWidth(16 * kTpp);
    EXPECT_FALSE(presenter.Refresh());
    output.refuse = false;
    box.SetLeft(10 * kTpp);
    ASSERT_TRUE(presenter.Refresh());
    EXPECT_EQ(output.shown, (std::vector<PixelRect>{{0, 0, 48, 18}}));
    EXPECT_TRUE(output.Holds(stage.Frame(), 3));
}

}  // namespace
}  // namespace seastrip::testing
