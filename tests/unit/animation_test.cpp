#include "animation/cloud_animation.h"
#include "animation/shooting_star.h"
#include "animation/walker.h"
#include "program_fixture.h"

namespace seastrip::testing {
namespace {

constexpr Colour kWhite{255, 255, 255}, kBlack{0, 0, 0};

class AnimationTest : public StartedTest {
protected:
    long Draws() const { return platform.RandomDraws(); }
    void Script(std::vector<double> draws) { platform.ScriptRandom(std::move(draws)); }

    // The clouds' places after a drifting call from the given ones, with the
    // offsets floor(4r - 2) of r = 0.3, 0.9 and 0.0: -1, +1 and -2 pixels.
    std::vector<float> DriftFrom(float a, float b, float c)
    {
        for (int i = 0; i < 3; ++i) P().picKUMO(i).SetLeft(std::vector{a, b, c}[i]);
        P().CloudFrame = 2;
        Script({0.3, 0.9, 0.0});
        AnimateClouds(P(), 0);
        return {P().picKUMO(0).Left(), P().picKUMO(1).Left(), P().picKUMO(2).Left()};
    }
};

// --- clouds -----------------------------------------------------------------

TEST_F(AnimationTest, CloudOutlinesCycleAndTheCloudsDriftEveryThirdCallBlockedByTheSunsSpanWithStrictEdges)
{
    // Row 18: outline 17 has x = 5, outline 18 has x = 3 and 4, outline 19 has x = 2.
    Element& cloud = P().picKUMO(0);
    cloud.SetVisible(true);
    cloud.BringToFront();
    const int x0 = Px(cloud.Left());
    Stage& stage = platform.GetStage();
    P().CloudFrame = 0;
    const long before = Draws();
    AnimateClouds(P(), 0);
    EXPECT_EQ(stage.HitTest(x0 + 5, 18), &cloud);
    EXPECT_NE(stage.HitTest(x0 + 3, 18), &cloud);
    AnimateClouds(P(), 0);
    EXPECT_EQ(stage.HitTest(x0 + 3, 18), &cloud);
    EXPECT_NE(stage.HitTest(x0 + 5, 18), &cloud);
    EXPECT_EQ(Draws(), before) << "no drift on the first two calls";
    EXPECT_EQ(P().CloudFrame, 2);
    AnimateClouds(P(), 0);
    EXPECT_EQ(Draws(), before + 3) << "one draw per cloud on the third";
    EXPECT_EQ(P().CloudFrame, 0);
    const int x1 = Px(cloud.Left());
    EXPECT_EQ(stage.HitTest(x1 + 2, 18), &cloud);
    EXPECT_NE(stage.HitTest(x1 + 3, 18), &cloud);

    // The drift is blocked by the sun's span, with strict edges: cloud 0
    // just right of the sun (-1 pixel would touch its edge), cloud 1 just
    // left of it (+1 would touch), cloud 2 overlapping it (never moves).
    const float sunLeft = P().picSUN3->Left();
    const float sunRight = sunLeft + P().picSUN3->Width();
    const float w = P().picKUMO(0).Width();
    EXPECT_EQ(DriftFrom(sunRight + 15, sunLeft - w - 15, sunLeft - 30),
              (std::vector{sunRight + 15, sunLeft - w - 15, sunLeft - 30}));
    // One pixel further away, the same moves are allowed; a hidden cloud at
    // the left edge drifts on past it.
    P().picKUMO(2).SetVisible(false);
    EXPECT_EQ(DriftFrom(sunRight + 30, sunLeft - w - 30, 0), (std::vector{sunRight + 15, sunLeft - w - 15, -30.0f}));
}

// --- shooting star ------------------------------------------------------------

TEST_F(AnimationTest, ShootingStarFliesTenCallsAcrossASceneChangeAndStartsOnlyWhenIdleAtNight)
{
    Element& star = P().picSUN(2);
    Script({0.01, 0.55});  // k = 0 (outline 24), m = 5
    AnimateShootingStar(P(), 345);
    EXPECT_TRUE(star.Visible());
    EXPECT_EQ(P().StarStep, 2);
    EXPECT_FLOAT_EQ(star.Left(), 15360.0f * 5 / 10);
    EXPECT_FLOAT_EQ(star.Top(), 0.0f);
    EXPECT_TRUE(Reads(star, {{1, 1, kWhite}, {1, 4, kBlack}})) << "band 1 lit rows 0..3 white";

    const long draws = Draws();
    for (int call = 2; call <= 9; ++call) {
        AnimateShootingStar(P(), call < 5 ? 345 : 0);  // the scene changes midway
        // Band `call` is white from row 2(call-1); the row above it is black again.
        const int top = 2 * (call - 1);
        EXPECT_TRUE(Reads(star, {{0, top - 1, kBlack}, {0, top, top < 16 ? kWhite.Packed() : kNoPixel}})) << call;
        EXPECT_TRUE(star.Visible());
    }
    AnimateShootingStar(P(), 0);
    EXPECT_FALSE(star.Visible());
    EXPECT_EQ(P().StarStep, 0);
    for (int y = 0; y < 16; ++y) EXPECT_TRUE(Reads(star, {{8, y, kBlack}})) << y;
    EXPECT_EQ(Draws(), draws) << "a flight draws nothing";

    // Idle, it draws only at night: one draw without a start, two with one.
    AnimateShootingStar(P(), 344);
    EXPECT_EQ(Draws(), draws);
    Script({0.5});  // k = 45: no start
    AnimateShootingStar(P(), 345);
    EXPECT_EQ(Draws(), draws + 1);
    EXPECT_EQ(P().StarStep, 0);
    Script({2.99 / 90, 0.0});  // k = 2: outline 26 at the left edge
    AnimateShootingStar(P(), 345);
    EXPECT_EQ(Draws(), draws + 3);
    EXPECT_FLOAT_EQ(star.Left(), 0.0f);
}

// --- walker -------------------------------------------------------------------

TEST_F(AnimationTest, WalkerEntersFlushLeftOrRightStepsInwardHidesOffEitherEdgeOrAtTheDaysEndAndDrawsByTheRules)
{
    Element& walker = P().picSUN(3);
    Script({0.0, 0.0});  // k = 0: rightward, 20 steps
    AnimateWalker(P(), 0);
    EXPECT_TRUE(walker.Visible());
    EXPECT_FLOAT_EQ(walker.Left(), 15.0f);
    EXPECT_FLOAT_EQ(walker.Top(), 360.0f);
    EXPECT_EQ(P().WalkerSteps, 19);
    EXPECT_EQ(P().WalkerDirection, 1);
    for (int i = 0; i < 19; ++i) AnimateWalker(P(), 0);
    EXPECT_EQ(P().WalkerSteps, 0);
    EXPECT_FLOAT_EQ(walker.Left(), 20 * 15.0f) << "a burst of 20 steps stays on screen";
    // Standing, it starts its next burst from where it stands.
    Script({0.1, 0.0});  // k = 1: leftward
    AnimateWalker(P(), 0);
    EXPECT_FLOAT_EQ(walker.Left(), 19 * 15.0f);

    // Hidden again, a leftward start puts it flush right and steps left.
    walker.SetVisible(false);
    P().WalkerSteps = 0;
    Script({0.1, 0.95});  // k = 1: leftward, 29 steps
    AnimateWalker(P(), 0);
    EXPECT_FLOAT_EQ(walker.Left(), 15360.0f - 90.0f - 15.0f);
    EXPECT_EQ(P().WalkerSteps, 28);

    // Turned round there, it steps off the edge and hides.
    P().WalkerDirection = 1;
    AnimateWalker(P(), 0);
    EXPECT_TRUE(walker.Visible()) << "exactly flush right is on screen";
    EXPECT_FLOAT_EQ(walker.Left(), 15360.0f - 90.0f);
    AnimateWalker(P(), 0);
    EXPECT_FALSE(walker.Visible());
    EXPECT_EQ(P().WalkerSteps, 0);

    walker.SetVisible(true);
    walker.SetLeft(0);
    P().WalkerDirection = -1;
    P().WalkerSteps = 5;
    AnimateWalker(P(), 0);
    EXPECT_FALSE(walker.Visible()) << "a step left of 0 leaves the screen";

    // The day ending mid-burst hides it; it draws only when idle by day.
    Script({0.0, 0.0});
    AnimateWalker(P(), 0);
    const long draws = Draws();
    AnimateWalker(P(), 0);  // walking: no draw
    EXPECT_EQ(Draws(), draws);
    const float left = walker.Left();
    AnimateWalker(P(), 1);
    EXPECT_FLOAT_EQ(walker.Left(), left + 15) << "the step is still taken";
    EXPECT_FALSE(walker.Visible());
    EXPECT_EQ(P().WalkerSteps, 0);
    AnimateWalker(P(), 1);
    EXPECT_EQ(Draws(), draws) << "no draws outside the day";
    Script({0.5});  // standing idle by day: one draw, no start
    AnimateWalker(P(), 0);
    EXPECT_EQ(Draws(), draws + 1);
    EXPECT_FALSE(walker.Visible());
}

}  // namespace
}  // namespace seastrip::testing
