#include <malloc.h>

#include "program_fixture.h"
#include "shell/menu_commands.h"
#include "shell/strip_window.h"
#include "state/scene_values.h"
#include "platform/twips.h"

namespace seastrip::testing {
namespace {

// A strip whose desktop changes under it: started at night on 1024 pixels,
// with stars out and a wave rolling.
class RelayoutTest : public ProgramTest {
protected:
    void SetUp() override
    {
        platform.SetClock(At(23, 0));
        Start();
        SoundItemChosen(P(), 1);
        ASSERT_TRUE(run.Run(1500));  // into the wave: tiles shown
        ASSERT_TRUE(P().picNami(0).Visible());
        ASSERT_TRUE(P().picHoshi(0).Visible());
    }

    // A fresh program started at `widthPx`, for comparison.
    static void ExpectLikeAFreshStart(Program& p, int widthPx)
    {
        HeadlessRun fresh(ScreenOf(widthPx), At(23, 0));
        EXPECT_EQ(p.picNami.Count(), fresh.program->picNami.Count()) << widthPx;
        EXPECT_EQ(p.picHoshi.Count(), fresh.program->picHoshi.Count()) << widthPx;
        EXPECT_FLOAT_EQ(p.frmBG->Width(), fresh.program->frmBG->Width());
        EXPECT_FLOAT_EQ(p.picSUN3->Left(), fresh.program->picSUN3->Left());
        EXPECT_FLOAT_EQ(p.picSUN(1).Left(), fresh.program->picSUN(1).Left());
        for (int i = 0; i < 3; ++i) {
            const Element& cloud = p.picKUMO(i);
            EXPECT_GE(cloud.Left(), 0.0f);
            EXPECT_LE(cloud.Left(), p.frmBG->Width()) << "cloud " << i << " placed inside the new width";
        }
    }
};

TEST_F(RelayoutTest, ANewBottomOnlyMovesTheStripAndANewWidthIsLaidOutAfreshWhileTheSceneMarksAndWavesCarryOn)
{
    const long draws = platform.RandomDraws();
    EXPECT_FALSE(RelayoutStrip(P())) << "unchanged metrics change nothing";
    const float cloud = P().picKUMO(0).Left();
    platform.ChangeScreen(1024, 768, 60);  // the panel grew
    ASSERT_TRUE(RelayoutStrip(P()));
    EXPECT_EQ(Px(P().frmBG->Top()), 768 - 60 - 28);
    EXPECT_FLOAT_EQ(P().picKUMO(0).Left(), cloud) << "the clouds stay where they drifted";
    EXPECT_EQ(platform.RandomDraws(), draws);

    const int32_t scene = P().SceneNow;
    const int16_t step = P().WaveStep;
    platform.ChangeScreen(1920, 1080, 40);
    ASSERT_TRUE(RelayoutStrip(P()));
    ExpectLikeAFreshStart(P(), 1920);
    EXPECT_EQ(P().SceneNow, scene);
    EXPECT_EQ(P().WaveStep, step);
    EXPECT_EQ(MarkedScene(), 0);
    EXPECT_TRUE(platform.IsChecked(MenuGroup::Sound, 1)) << "the sound mark stays";
    EXPECT_EQ(Px(P().frmBG->Top()), 1080 - 40 - 28);
    // The new tiles join the shown groups: every wave tile shows the same
    // outline, every star tile is out, and the sky reaches the new edge.
    const Stage& stage = platform.GetStage();
    for (int j = 0; j < P().picNami.Count(); ++j) EXPECT_TRUE(P().picNami(j).Visible()) << j;
    for (int j = 0; j < P().picHoshi.Count(); ++j) EXPECT_TRUE(P().picHoshi(j).Visible()) << j;
    const Bitmap& frame = platform.GetStage().Compose();
    ASSERT_EQ(frame.width, 1920);
    EXPECT_EQ(P().frmBG->ReadPoint(1919, 27), P().frmBG->ReadPoint(0, 27)) << "the sky spans the new width";
    // A new tile (5, at 1610 px) takes the outline an old one (4) shows.
    int differences = 0, shown = 0;
    for (int dx = 0; dx < 300; ++dx) {
        for (int y = 21; y < 24; ++y) {
            const bool old = stage.HitTest(1290 + dx, y) == &P().picNami(4);
            shown += old ? 1 : 0;
            differences += old != (stage.HitTest(1610 + dx, y) == &P().picNami(5)) ? 1 : 0;
        }
    }
    EXPECT_GT(shown, 0);
    EXPECT_EQ(differences, 0);

    // Narrower again: the tiles past the edge are gone, not just hidden.
    platform.ChangeScreen(800, 600, 30);
    ASSERT_TRUE(RelayoutStrip(P()));
    ExpectLikeAFreshStart(P(), 800);
    EXPECT_EQ(platform.GetStage().Compose().width, 800);
    ASSERT_TRUE(run.Run(20'000));  // the program runs on at the new width
    EXPECT_EQ(P().SceneNow, kSceneNight);
}

TEST_F(RelayoutTest, AThousandDesktopChangesLeaveElementsAndMemoryFlat)
{
    const int widths[] = {1024, 1920, 640, 3840, 1366};
    auto cycle = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            platform.ChangeScreen(widths[i % 5], 900, 30 + i % 3);
            RelayoutStrip(P());
            run.Run(110);
        }
        platform.ChangeScreen(1024, 768, 30);
        RelayoutStrip(P());
    };
    cycle(50);  // every width seen once, caches warm
    const int elements = platform.GetStage().ElementCount();
    const size_t heap = mallinfo2().uordblks;
    cycle(1000);
    EXPECT_EQ(platform.GetStage().ElementCount(), elements);
    EXPECT_LT(mallinfo2().uordblks, heap + 64 * 1024) << "the heap grew by " << mallinfo2().uordblks - heap;
    EXPECT_EQ(P().SceneNow, kSceneNight);
    EXPECT_TRUE(platform.IsChecked(MenuGroup::Sound, 1));
}

// The sky re-laid at a new width is, on every row, the sky a program started
// at that width shows in the same scene: the strip's image, and by a sunset
// the setting sun's image and place.
TEST(RelayoutSkyTest, TheSkyAtANewWidthIsAFreshStartsOnEveryRowByDayAndInASunset)
{
    const struct {
        const char* name;
        int32_t scene;
    } scenes[] = {{"day", kSceneDay}, {"sunset", 110}};
    for (const auto& scene : scenes) {
        for (const int width : {1920, 800}) {
            const std::string what = std::string(scene.name) + " at " + std::to_string(width);
            HeadlessRun moved({}, At(12, 0));
            ShowScene(*moved.program, scene.scene);
            moved.platform.ChangeScreen(width, 900, 30);
            ASSERT_TRUE(RelayoutStrip(*moved.program)) << what;
            HeadlessRun fresh(ScreenOf(width, 900, 30), At(12, 0));
            ShowScene(*fresh.program, scene.scene);

            const Program& got = *moved.program;
            const Program& want = *fresh.program;
            EXPECT_TRUE(SameImage(*got.frmBG, *want.frmBG)) << what << ", the strip";
            EXPECT_EQ(got.picSUN3->Visible(), want.picSUN3->Visible()) << what;
            EXPECT_EQ(got.picSUN3->Visible(), IsSunset(scene.scene)) << what;
            EXPECT_FLOAT_EQ(got.picSUN3->Left(), want.picSUN3->Left()) << what;
            EXPECT_TRUE(SameImage(*got.picSUN3, *want.picSUN3)) << what << ", the sun";
        }
    }
}

}  // namespace
}  // namespace seastrip::testing
