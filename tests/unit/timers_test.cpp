#include "program_fixture.h"
#include "shell/menu_commands.h"
#include "shell/timers.h"

namespace seastrip::testing {
namespace {

using TimersTest = StartedTest;

TEST_F(TimersTest, TheFirstComputeLaysOutEvenTheDayStepsTheCloudsAndASceneChangeIsPaintedOnTheNextTick)
{
    // Disturb a remembered look: the first tick must put it right again, as
    // nothing has been shown yet.
    P().picYASHI(0).BringToFront();
    P().picNami(0).BringToFront();
    EXPECT_EQ(P().SceneShown, -1);
    TimerMainTick(P());
    EXPECT_EQ(platform.GetStage().StackingOrder().back(), &P().picYASHI(0)) << "the layout brings the palm to the front";
    EXPECT_EQ(P().CloudFrame, 1) << "the clouds step on the compute half";
    TimerMainTick(P());
    EXPECT_EQ(P().SceneShown, 0);
    EXPECT_EQ(P().CloudFrame, 1) << "and not on the paint half";

    platform.SetClock(At(21, 0));
    TimerMainTick(P());  // compute half
    EXPECT_EQ(P().SceneNow, 345);
    EXPECT_EQ(P().SceneShown, 0);
    EXPECT_TRUE(P().picHoshi(0).Visible()) << "the layout ran on the compute tick";
    EXPECT_EQ(Colour::FromPacked(P().frmBG->ReadPoint(500, 0)), (Colour{0, 0, 255})) << "the sky is still the day's";
    TimerMainTick(P());  // paint half
    EXPECT_EQ(P().SceneShown, 345);
    EXPECT_EQ(Colour::FromPacked(P().frmBG->ReadPoint(500, 0)), (Colour{0, 0, 105}));
}

// A cycle of the wave tick: six pauses, a wave of forty-five ticks, nine
// pauses; the sound starts each cycle it is switched on at.
TEST_F(TimersTest, WaveStepWrapsAfterFiftyNineShowingTheWaveBetweenPausesAndTheSoundStartsEachCycleItIsOnAt)
{
    SoundItemChosen(P(), 1);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(P().WaveStep, i);
        if (i == 2) SoundItemChosen(P(), 0);  // switched on mid-cycle: heard from the next
        TimerNamiTick(P());
        EXPECT_EQ(P().picNami(0).Visible(), i >= 6 && i <= 50) << i;
    }
    EXPECT_EQ(P().WaveStep, 0);
    EXPECT_TRUE(platform.soundsPlayed.empty());
    TimerNamiTick(P());
    ASSERT_EQ(platform.soundsPlayed.size(), 1u);
    EXPECT_EQ(platform.soundsPlayed[0], "./zem.wav");
    for (int i = 0; i < 120; ++i) TimerNamiTick(P());
    EXPECT_EQ(platform.soundsPlayed.size(), 3u);
}

}  // namespace
}  // namespace seastrip::testing
