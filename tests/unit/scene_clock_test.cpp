#include "program_fixture.h"
#include "scene/scene_clock.h"

namespace seastrip::testing {
namespace {

class SceneClockTest : public ProgramTest {
protected:
    void SetUp() override { Start(); }
    int32_t Compute()
    {
        ComputeScene(P());
        return P().SceneNow;
    }
};

TEST_F(SceneClockTest, AutoSunsetRunsThroughHourEighteenAndRestsAtNight)
{
    platform.SetClock(At(17, 59));
    EXPECT_EQ(Compute(), 0);
    platform.SetClock(At(18, 0));
    EXPECT_EQ(Compute(), 2);
    EXPECT_EQ(Compute(), 3);
    for (int i = 2; i < 344; ++i) Compute();
    EXPECT_EQ(P().SceneNow, 345) << "the 344th computation of the sunset reaches night";
    EXPECT_EQ(Compute(), 345) << "night is not restarted within the hour";
    EXPECT_EQ(MarkedScene(), 0);
}

TEST_F(SceneClockTest, AutoKeepsNightInHourEighteenAfterNightWasChosen)
{
    platform.SetClock(At(18, 30));
    P().SceneNow = 345;
    EXPECT_EQ(Compute(), 345);
}

TEST_F(SceneClockTest, FixedEveningStartsFromNightAndMovesTheMarkToNightAtItsEnd)
{
    MarkScene(3);
    P().SceneNow = 345;
    EXPECT_EQ(Compute(), 2);

    P().SceneNow = 344;
    EXPECT_EQ(Compute(), 345);
    EXPECT_EQ(MarkedScene(), 4);
    EXPECT_EQ(Compute(), 345);
}

TEST_F(SceneClockTest, FixedMorningWrapsToDayAndMovesTheMarkToNoon)
{
    MarkScene(1);
    P().SceneNow = 479;
    EXPECT_EQ(Compute(), 0);
    EXPECT_EQ(MarkedScene(), 2);
    EXPECT_EQ(Compute(), 0);
}

TEST_F(SceneClockTest, FixedMorningPlaysADawnFromDay)
{
    MarkScene(1);
    P().SceneNow = 0;
    EXPECT_EQ(Compute(), 347);
    for (int i = 347; i < 479; ++i) Compute();
    EXPECT_EQ(P().SceneNow, 479);
    EXPECT_EQ(MarkedScene(), 1) << "the mark moves only when the dawn wraps";
}

TEST_F(SceneClockTest, AutoAtFiveDoesNotReplayADawnAlreadyAtDay)
{
    platform.SetClock(At(5, 10));
    P().SceneNow = 0;
    EXPECT_EQ(Compute(), 0);
    P().SceneNow = 345;
    EXPECT_EQ(Compute(), 347);
}

TEST_F(SceneClockTest, SwitchingTransitionsMidwayStartsTheOtherOne)
{
    platform.SetClock(At(5, 30));
    P().SceneNow = 200;  // a sunset half done
    EXPECT_EQ(Compute(), 347);
    platform.SetClock(At(18, 30));
    P().SceneNow = 400;  // a dawn under way
    EXPECT_EQ(Compute(), 2);
}

TEST_F(SceneClockTest, NoonAndNightJumpWithoutTransition)
{
    MarkScene(4);
    P().SceneNow = 0;
    EXPECT_EQ(Compute(), 345);
    MarkScene(2);
    EXPECT_EQ(Compute(), 0);
    platform.SetClock(At(23, 59));
    MarkScene(0);
    EXPECT_EQ(Compute(), 345);
    platform.SetClock(At(0, 1));
    EXPECT_EQ(Compute(), 345);
}

TEST_F(SceneClockTest, NoItemMarkedCountsAsMidnight)
{
    for (int i = 0; i < kSceneItemCount; ++i) platform.SetChecked(MenuGroup::Scene, i, false);
    P().SceneNow = 0;
    EXPECT_EQ(Compute(), 345);
}

TEST_F(SceneClockTest, EveryHourOfTheDayLeavesAValidScene)
{
    for (int32_t start : {0, 1, 200, 344, 345, 346, 400, 479}) {
        for (int hour = 0; hour < 24; ++hour) {
            platform.SetClock(At(hour, 0));
            P().SceneNow = start;
            const int32_t v = Compute();
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 479);
        }
    }
}

}  // namespace
}  // namespace seastrip::testing
