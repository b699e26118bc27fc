#include "pictures/pictures.h"
#include "program_fixture.h"
#include "scene/scene_layout.h"

namespace seastrip::testing {
namespace {

Colour Grey(uint8_t level)
{
    return Colour{level, level, level};
}

class SceneLayoutTest : public StartedTest {
protected:
    Colour CloudPixel(int d, int x, int y) { return Colour::FromPacked(P().picKUMO(d).ReadPoint(x, y)); }
    Colour StripFrame(int frame, int x, int y) { return pictures::CloudStrip()->At(32 * frame + x, y); }
};

TEST_F(SceneLayoutTest, LooksSwitchExactlyAtTheirBoundaries)
{
    // The wave colour on each side of every switch: one grey each side of the red band.
    const Colour red{255, 80, 80};
    const std::pair<int32_t, Colour> waves[] = {
        {0, Grey(255)},   {89, Grey(255)},  {90, Grey(200)},  {149, Grey(200)}, {150, red},       {209, red},
        {210, Grey(168)}, {345, Grey(168)}, {346, Grey(200)}, {419, Grey(200)}, {420, Grey(255)}, {479, Grey(255)}};
    for (auto [scene, colour] : waves) EXPECT_EQ(WaveColourFor(scene), colour) << scene;
    // The star grey: one step of 17 every ten scene values, in and out.
    const std::pair<int32_t, int> stars[] = {{274, -1},  {275, 136}, {284, 136}, {285, 153}, {334, 221}, {335, 238},
                                             {344, 238}, {345, 255}, {355, 255}, {356, 238}, {435, 119}, {436, -1}};
    for (auto [scene, level] : stars) EXPECT_EQ(StarLevelFor(scene), level) << scene;
    const std::pair<int32_t, int> clouds[] = {{71, 0},   {72, 1},   {319, 31}, {320, 32},
                                              {369, 32}, {370, 33}, {449, 48}, {450, 0}};
    for (auto [scene, frame] : clouds) EXPECT_EQ(CloudFrameFor(scene), frame) << scene;
    const std::pair<int32_t, int> palms[] = {{75, 1}, {76, 2}, {419, 2}, {420, 1}};
    for (auto [scene, source] : palms) EXPECT_EQ(PalmSourceFor(scene), source) << scene;
}

TEST_F(SceneLayoutTest, DayAfterLoadNightAndStepsThatSkipWhenTheirLookIsUnchanged)
{
    for (int d = 0; d < 3; ++d) EXPECT_EQ(CloudPixel(d, 15, 4), StripFrame(0, 15, 4));
    EXPECT_EQ(P().picYASHI(0).GetPicture(), pictures::Palm());
    EXPECT_EQ(P().picNami(0).FillColour(), Grey(255));
    EXPECT_FALSE(P().picSUN(1).Visible());
    EXPECT_EQ(P().GlitterStep, 0);

    LayoutScene(P(), 345);
    for (int j = 0; j < P().picNami.Count(); ++j) EXPECT_EQ(P().picNami(j).FillColour(), Grey(168));
    for (int j = 0; j < P().picHoshi.Count(); ++j) {
        EXPECT_TRUE(P().picHoshi(j).Visible());
        EXPECT_EQ(P().picHoshi(j).FillColour(), Grey(255));
    }
    for (int d = 0; d < 3; ++d) EXPECT_EQ(CloudPixel(d, 15, 4), StripFrame(32, 15, 4));
    EXPECT_EQ(P().picYASHI(0).GetPicture(), nullptr) << "the palm is a silhouette";
    EXPECT_FALSE(P().picSUN(1).Visible());

    LayoutScene(P(), 346);  // stars as at 345 would be; waves 200 grey
    // Disturb what the layout set; an unchanged look must not be rewritten.
    P().picHoshi(0).SetFillColour({1, 2, 3});
    P().picNami(0).SetFillColour({4, 5, 6});
    P().picKUMO(0).FillBox(0, 0, 32, 20, {7, 8, 9});
    LayoutScene(P(), 355);
    EXPECT_EQ(P().picHoshi(0).FillColour(), (Colour{1, 2, 3}));
    EXPECT_EQ(P().picNami(0).FillColour(), (Colour{4, 5, 6}));
    EXPECT_EQ(CloudPixel(0, 15, 4), (Colour{7, 8, 9}));
    // A changed look is applied to every member.
    LayoutScene(P(), 356);
    EXPECT_EQ(P().picHoshi(0).FillColour(), Grey(238));
    LayoutScene(P(), 420);
    EXPECT_EQ(P().picNami(0).FillColour(), Grey(255));
    EXPECT_EQ(P().picHoshi(0).FillColour(), Grey(136));
    LayoutScene(P(), 436);
    EXPECT_FALSE(P().picHoshi(0).Visible());
    EXPECT_EQ(P().picHoshi(0).FillColour(), Grey(136)) << "hiding leaves the colour";
    // From the end of the dawn into the day the clouds keep their frame.
    LayoutScene(P(), 479);
    P().picKUMO(1).FillBox(0, 0, 32, 20, {7, 8, 9});
    LayoutScene(P(), 0);
    EXPECT_EQ(CloudPixel(1, 15, 4), (Colour{7, 8, 9}));
}

TEST_F(SceneLayoutTest, GlitterCyclesItsOutlinesAndRestsAtDayAndThePalmComesToTheFrontAfterTheClouds)
{
    // Outline 21 has a pixel at (5, 1) and 22 has (6, 1); 23 has (4, 1) but not (3, 1).
    Stage& stage = platform.GetStage();
    const Element* glitter = &P().picSUN(1);
    const int gx = Px(P().picSUN(1).Left());
    const int gy = Px(P().picSUN(1).Top());
    P().GlitterStep = 0;
    LayoutScene(P(), 100);  // the cloud frame changes: clouds to the front, then the palm
    const auto order = platform.GetStage().StackingOrder();
    EXPECT_EQ(std::vector<const Element*>(order.end() - 3, order.end()),
              (std::vector<const Element*>{&P().picKUMO(1), &P().picKUMO(2), &P().picYASHI(0)}));
    EXPECT_TRUE(P().picSUN(1).Visible());
    EXPECT_EQ(P().GlitterStep, 1);
    EXPECT_TRUE(Hits(stage, {{gx + 5, gy + 1, glitter}}));
    LayoutScene(P(), 100);
    EXPECT_TRUE(Hits(stage, {{gx + 5, gy + 1, nullptr}, {gx + 6, gy + 1, glitter}}));
    LayoutScene(P(), 100);
    EXPECT_TRUE(Hits(stage, {{gx + 3, gy + 1, nullptr}, {gx + 4, gy + 1, glitter}}));
    EXPECT_EQ(P().GlitterStep, 0);
    LayoutScene(P(), 0);
    LayoutScene(P(), 0);
    EXPECT_EQ(P().GlitterStep, 0) << "the phase stands still by day";
    EXPECT_FALSE(P().picSUN(1).Visible());
    LayoutScene(P(), 300);
    EXPECT_EQ(P().GlitterStep, 1) << "and advances unseen late in the sunset";
    EXPECT_FALSE(P().picSUN(1).Visible());
}

}  // namespace
}  // namespace seastrip::testing
