#include "animation/wave_frames.h"
#include "program_fixture.h"

namespace seastrip::testing {
namespace {

class WaveFramesTest : public StartedTest {
protected:
    // Whether wave tile j's outline covers tile pixel (x, y), seen through a press.
    bool Covers(int j, int x, int y)
    {
        return platform.GetStage().HitTest(10 + 320 * j + x, 21 + y) == &P().picNami(j);
    }
    std::vector<const Element*> Order() { return platform.GetStage().StackingOrder(); }
};

TEST_F(WaveFramesTest, APauseWhileHiddenTouchesNothingTheFirstFrameShowsRaisesAndShapesEveryTileAndLaterFramesOnlyReshape)
{
    Stage& stage = platform.GetStage();
    P().picKUMO(0).BringToFront();
    stage.Compose();
    const auto hidden = Order();
    ShowWaveFrame(P(), -1);
    EXPECT_EQ(Order(), hidden);
    stage.Compose();
    EXPECT_TRUE(stage.ChangedRect().Empty()) << "nothing on screen changed";

    ShowWaveFrame(P(), 0);
    const auto order = Order();
    const int n = P().picNami.Count();
    for (int j = 0; j < n; ++j) {
        EXPECT_TRUE(P().picNami(j).Visible());
        EXPECT_EQ(order[order.size() - n + j], &P().picNami(j)) << "the last tile ends up frontmost";
    }
    // Frame 0 has foam at x = 1 and 18 of row 2 and nothing at x = 2.
    for (int j = 0; j < n - 1; ++j) {
        EXPECT_TRUE(Covers(j, 1, 2)) << j;
        EXPECT_TRUE(Covers(j, 18, 2)) << j;
        EXPECT_FALSE(Covers(j, 2, 2)) << j;
        EXPECT_FALSE(Covers(j, 1, 1)) << j;
    }

    // Frames while shown change only outlines.
    P().picKUMO(0).BringToFront();
    const auto before = Order();
    ShowWaveFrame(P(), 1);
    EXPECT_EQ(Order(), before) << "no tile is raised again";
    // A tile hidden by other code stays hidden while tile 0 is shown, yet
    // its outline still follows.
    P().picNami(2).SetVisible(false);
    ShowWaveFrame(P(), 0);
    EXPECT_FALSE(P().picNami(2).Visible());
    P().picNami(2).SetVisible(true);
    EXPECT_TRUE(Covers(2, 1, 2));
    ShowWaveFrame(P(), -1);
    for (int j = 0; j < P().picNami.Count(); ++j) EXPECT_FALSE(P().picNami(j).Visible());
}

}  // namespace
}  // namespace seastrip::testing
