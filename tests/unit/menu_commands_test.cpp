#include "program_fixture.h"
#include "shell/menu_commands.h"
#include "shell/timers.h"

namespace seastrip::testing {
namespace {

class MenuCommandsTest : public StartedTest {
protected:
    Colour Sky() { return Colour::FromPacked(P().frmBG->ReadPoint(100, 0)); }
};

TEST_F(MenuCommandsTest, NightAtNoonShowsAtOnceAutoReturnsToTheClockAndEveningHandsTheMarkToNight)
{
    platform.SetClock(At(12, 0));
    SceneItemChosen(P(), 4);
    EXPECT_EQ(MarkedScene(), 4);
    EXPECT_EQ(P().SceneNow, 345);
    EXPECT_EQ(Sky(), (Colour{0, 0, 105}));
    EXPECT_TRUE(P().picHoshi(0).Visible());
    // The timer paints the scene once more, and only then records it as shown.
    EXPECT_EQ(P().SceneShown, -1);
    TimerMainTick(P());
    TimerMainTick(P());
    EXPECT_EQ(P().SceneShown, 345);
    EXPECT_EQ(Sky(), (Colour{0, 0, 105}));
    SceneItemChosen(P(), 0);
    EXPECT_EQ(MarkedScene(), 0);
    EXPECT_EQ(P().SceneNow, 0);
    EXPECT_EQ(Sky(), (Colour{0, 0, 255}));
    EXPECT_FALSE(P().picHoshi(0).Visible());

    // Evening runs its sunset, then the mark moves to night.
    SceneItemChosen(P(), 3);
    EXPECT_EQ(P().SceneNow, 2);
    EXPECT_TRUE(P().picSUN3->Visible());
    // 343 more computations, one per two main ticks.
    for (int i = 0; i < 2 * 343; ++i) TimerMainTick(P());
    EXPECT_EQ(P().SceneNow, 345);
    EXPECT_EQ(MarkedScene(), 4);
    for (int i = 0; i < 4; ++i) TimerMainTick(P());
    EXPECT_EQ(P().SceneNow, 345);
    EXPECT_FALSE(P().picSUN3->Visible());
    EXPECT_EQ(Sky(), (Colour{0, 0, 105}));
}

TEST_F(MenuCommandsTest, SoundChoicesWriteTheSettingEachTime)
{
    SoundItemChosen(P(), 1);
    EXPECT_FALSE(platform.IsChecked(MenuGroup::Sound, 0));
    EXPECT_TRUE(platform.IsChecked(MenuGroup::Sound, 1));
    EXPECT_EQ(platform.memoryFiles["/memory/seastrip.ini"], "[Data]\nSound=OFF\n");
    SoundItemChosen(P(), 0);
    platform.memoryFiles["/memory/seastrip.ini"] = "[Data]\nSound=ON\nKeep=1\n";
    SoundItemChosen(P(), 0);  // already marked: written again all the same
    EXPECT_EQ(platform.memoryFiles["/memory/seastrip.ini"], "[Data]\nSound=ON\nKeep=1\n");
    platform.memoryFiles["/memory/seastrip.ini"] = "[Data]\nSound=OFF\n";
    SoundItemChosen(P(), 0);
    EXPECT_EQ(platform.memoryFiles["/memory/seastrip.ini"], "[Data]\nSound=ON\n");
}

}  // namespace
}  // namespace seastrip::testing
