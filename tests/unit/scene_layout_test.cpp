#include "pictures/pictures.h"
#include "program_fixture.h"
#include "scene/scene_layout.h"

namespace seastrip::testing {
namespace {

class SceneLayoutTest : public ProgramTest {
protected:
    void SetUp() override { Start(); }
    Colour CloudPixel(int d, int x, int y) { return Colour::FromPacked(P().picKUMO(d).ReadPoint(x, y)); }
    Colour StripFrame(int frame, int x, int y) { return pictures::CloudStrip()->At(32 * frame + x, y); }
};

TEST_F(SceneLayoutTest, LooksSwitchExactlyAtTheirBoundaries)
{
    struct Boundary {
        int32_t last, first;
    };
    for (Boundary b : std::initializer_list<Boundary>{{89, 90}, {149, 150}, {209, 210}, {345, 346}, {419, 420}})
        EXPECT_NE(WaveColourFor(b.last), WaveColourFor(b.first)) << b.last;
    // Every band's wave colour (one grey each side of the red band).
    struct Wave {
        int32_t scene;
        uint8_t grey;
    };
    for (Wave w : std::initializer_list<Wave>{{0, 255}, {89, 255}, {90, 200}, {149, 200}, {210, 168}, {345, 168},
                                              {346, 200}, {419, 200}, {420, 255}, {479, 255}})
        EXPECT_EQ(WaveColourFor(w.scene), (Colour{w.grey, w.grey, w.grey})) << w.scene;
    EXPECT_EQ(WaveColourFor(150), (Colour{255, 80, 80}));
    EXPECT_EQ(WaveColourFor(209), (Colour{255, 80, 80}));

    // The star grey: one step of 17 every ten scene values, in and out.
    struct Stars {
        int32_t scene;
        int level;
    };
    for (Stars st : std::initializer_list<Stars>{{274, -1}, {275, 136}, {284, 136}, {285, 153}, {334, 221},
                                                 {335, 238}, {344, 238}, {345, 255}, {355, 255}, {356, 238},
                                                 {435, 119}, {436, -1}})
        EXPECT_EQ(StarLevelFor(st.scene), st.level) << st.scene;

    EXPECT_EQ(CloudFrameFor(71), 0);
    EXPECT_EQ(CloudFrameFor(72), 1);
    EXPECT_EQ(CloudFrameFor(319), 31);
    EXPECT_EQ(CloudFrameFor(320), 32);
    EXPECT_EQ(CloudFrameFor(369), 32);
    EXPECT_EQ(CloudFrameFor(370), 33);
    EXPECT_EQ(CloudFrameFor(449), 48);
    EXPECT_EQ(CloudFrameFor(450), 0);

    EXPECT_EQ(PalmSourceFor(75), 1);
    EXPECT_EQ(PalmSourceFor(76), 2);
    EXPECT_EQ(PalmSourceFor(419), 2);
    EXPECT_EQ(PalmSourceFor(420), 1);
}

TEST_F(SceneLayoutTest, NightLayout)
{
    LayoutScene(P(), 345);
    for (int j = 0; j < P().picNami.Count(); ++j) EXPECT_EQ(P().picNami(j).FillColour(), (Colour{168, 168, 168}));
    for (int j = 0; j < P().picHoshi.Count(); ++j) {
        EXPECT_TRUE(P().picHoshi(j).Visible());
        EXPECT_EQ(P().picHoshi(j).FillColour(), (Colour{255, 255, 255}));
    }
    for (int d = 0; d < 3; ++d) EXPECT_EQ(CloudPixel(d, 15, 4), StripFrame(32, 15, 4));
    EXPECT_EQ(P().picYASHI(0).GetPicture(), nullptr) << "the palm is a silhouette";
    EXPECT_FALSE(P().picSUN(1).Visible());
}

TEST_F(SceneLayoutTest, DayLayoutAfterLoad)
{
    for (int d = 0; d < 3; ++d) EXPECT_EQ(CloudPixel(d, 15, 4), StripFrame(0, 15, 4));
    EXPECT_EQ(P().picYASHI(0).GetPicture(), pictures::Palm());
    EXPECT_EQ(P().picNami(0).FillColour(), (Colour{255, 255, 255}));
    EXPECT_FALSE(P().picSUN(1).Visible());
    EXPECT_EQ(P().GlitterStep, 0);
}

TEST_F(SceneLayoutTest, StepsSkipWhenTheirLookIsUnchanged)
{
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
    EXPECT_EQ(P().picHoshi(0).FillColour(), (Colour{238, 238, 238}));
    LayoutScene(P(), 420);
    EXPECT_EQ(P().picNami(0).FillColour(), (Colour{255, 255, 255}));
    EXPECT_EQ(P().picHoshi(0).FillColour(), (Colour{136, 136, 136}));
    LayoutScene(P(), 436);
    EXPECT_FALSE(P().picHoshi(0).Visible());
    EXPECT_EQ(P().picHoshi(0).FillColour(), (Colour{136, 136, 136})) << "hiding leaves the colour";
}

TEST_F(SceneLayoutTest, DawnIntoDayDoesNotRepaintTheClouds)
{
    LayoutScene(P(), 479);
    P().picKUMO(1).FillBox(0, 0, 32, 20, {7, 8, 9});
    LayoutScene(P(), 0);
    EXPECT_EQ(CloudPixel(1, 15, 4), (Colour{7, 8, 9}));
}

TEST_F(SceneLayoutTest, GlitterCyclesItsOutlinesAndRestsAtDay)
{
    const int32_t s = P().GlitterStep;
    LayoutScene(P(), 100);
    EXPECT_TRUE(P().picSUN(1).Visible());
    EXPECT_EQ(P().GlitterStep, (s + 1) % 3);
    LayoutScene(P(), 100);
    LayoutScene(P(), 100);
    EXPECT_EQ(P().GlitterStep, s);
    LayoutScene(P(), 0);
    LayoutScene(P(), 0);
    EXPECT_EQ(P().GlitterStep, s) << "the phase stands still by day";
    EXPECT_FALSE(P().picSUN(1).Visible());
    LayoutScene(P(), 300);
    EXPECT_EQ(P().GlitterStep, (s + 1) % 3) << "and advances unseen late in the sunset";
    EXPECT_FALSE(P().picSUN(1).Visible());
}

TEST_F(SceneLayoutTest, GlitterOutlineFollowsThePhase)
{
    // Frame 21 has a pixel at (3, 1) which frame 22 also has, but only frame 21
    // has (5, 1); frame 23 has (4, 1) and (6, 1) but not (3, 1).
    Stage& stage = platform.GetStage();
    const Element* glitter = &P().picSUN(1);
    const int gx = Px(P().picSUN(1).Left());
    const int gy = Px(P().picSUN(1).Top());
    P().GlitterStep = 0;
    LayoutScene(P(), 100);
    EXPECT_EQ(stage.HitTest(gx + 5, gy + 1), glitter);
    LayoutScene(P(), 100);  // frame 22
    EXPECT_EQ(stage.HitTest(gx + 5, gy + 1), nullptr);
    EXPECT_EQ(stage.HitTest(gx + 6, gy + 1), glitter);
    LayoutScene(P(), 100);  // frame 23
    EXPECT_EQ(stage.HitTest(gx + 3, gy + 1), nullptr);
    EXPECT_EQ(stage.HitTest(gx + 4, gy + 1), glitter);
}

TEST_F(SceneLayoutTest, PalmComesToTheFrontAfterTheClouds)
{
    LayoutScene(P(), 100);  // cloud frame changes: clouds to the front, then the palm
    const auto order = platform.GetStage().StackingOrder();
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[order.size() - 1], &P().picYASHI(0));
    EXPECT_EQ(order[order.size() - 2], &P().picKUMO(2));
    EXPECT_EQ(order[order.size() - 3], &P().picKUMO(1));
}

}  // namespace
}  // namespace seastrip::testing
