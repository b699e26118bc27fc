#include "null_element.h"
#include "program_fixture.h"
#include "regions/apply_region.h"
#include "shell/strip_window.h"
#include "state/scene_values.h"

namespace seastrip::testing {
namespace {

class StripLoadTest : public ProgramTest {};

TEST_F(StripLoadTest, DocksFullWidthAboveTheTaskbarAndLaysOutSunPalmTilesAndCloudsClearOfTheSun)
{
    // k = 5 (the centre tenth) is rejected, then k = 0 accepted, shown (m = 4);
    // then k = 9 accepted, hidden (m = 0); then k = 2 accepted, shown.
    platform.ScriptRandom({0.55, 0.05, 0.9, 0.95, 0.0, 0.25, 0.5});
    Start();
    // The metrics 716 + 22 = 738 pixels give a bottom of 11070 twips.
    EXPECT_EQ(ScreenBottomTwips(platform), 11070);
    EXPECT_EQ(Box(*P().frmBG), (std::vector<float>{0, 10650, 15360, 420}));
    EXPECT_TRUE(P().frmBG->Visible());
    EXPECT_TRUE(platform.timersStarted);

    const float sunLeft = (15360 - 165) / 2;
    EXPECT_EQ(P().picSUN3->Left(), sunLeft);
    EXPECT_EQ(P().picSUN3->Top(), 0.0f);
    EXPECT_EQ(P().picSUN(1).Left(), sunLeft + 15);
    EXPECT_EQ(P().picSUN(1).Top(), 240.0f);
    EXPECT_EQ(P().picYASHI(0).Left(), 0.0f);
    EXPECT_TRUE(P().picYASHI(0).Visible());

    // Five wave tiles and five star fields, hidden by day, reach past a
    // thousand pixels.
    ASSERT_EQ(P().picNami.Count(), 5);
    ASSERT_EQ(P().picHoshi.Count(), 5);
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(Box(P().picNami(j)), (std::vector<float>{15.0f * (10 + 320 * j), 15 * 21, 4800, 45})) << j;
        EXPECT_EQ(Box(P().picHoshi(j)), (std::vector<float>{15.0f * 320 * j, 0, 4800, 240})) << j;
        EXPECT_FALSE(P().picNami(j).Visible() || P().picHoshi(j).Visible()) << j;
    }

    // Presses on the palm's shape reach it; beside it, or on the hidden
    // waves, they reach the strip.
    EXPECT_TRUE(Hits(platform.GetStage(), {{0, 26, &P().picYASHI(0)}, {37, 26, nullptr}, {10 + 1, 21 + 2, nullptr}}));

    ASSERT_EQ(P().picKUMO.Count(), 3);
    const std::pair<float, bool> clouds[] = {{0, true}, {15360.0f * 9 / 10, false}, {3072, true}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::pair(P().picKUMO(i).Left(), P().picKUMO(i).Visible()), clouds[i]) << "cloud " << i;
    }
    EXPECT_EQ(platform.RandomDraws(), 7);
}

TEST_F(StripLoadTest, SoundSwitchFollowsTheSettingExactly)
{
    for (const auto& [stored, soundOn] :
         std::vector<std::pair<std::string, bool>>{{"OFF", false}, {"off", true}, {"Off", true}, {"", true}, {" OFF ", false}}) {
        HeadlessRun fresh;
        if (!stored.empty()) fresh.platform.memoryFiles["/memory/seastrip.ini"] = "[Data]\nSound=" + stored + "\n";
        fresh.Start();
        EXPECT_EQ(fresh.platform.IsChecked(MenuGroup::Sound, 0), soundOn) << "'" << stored << "'";
        EXPECT_EQ(fresh.platform.IsChecked(MenuGroup::Sound, 1), !soundOn) << "'" << stored << "'";
    }
}

TEST_F(StripLoadTest, RightClickOpensTheMenuAndRunsTheChoiceOtherButtonsDoNothing)
{
    Start();
    StripMouseDown(P(), MouseButton::Left);
    StripMouseDown(P(), MouseButton::Middle);
    EXPECT_EQ(platform.menuOpenings, 0);
    StripMouseDown(P(), MouseButton::Right);  // dismissed: nothing changes
    EXPECT_EQ(platform.menuOpenings, 1);
    EXPECT_EQ(MarkedScene(), 0);
    platform.nextMenuChoice = {MenuCommand::Scene, 4};
    StripMouseDown(P(), MouseButton::Right);
    EXPECT_EQ(MarkedScene(), 4);
    EXPECT_EQ(P().SceneNow, kSceneNight) << "the night is shown at once";
    platform.nextMenuChoice = {MenuCommand::Version, 0};
    StripMouseDown(P(), MouseButton::Right);
    EXPECT_EQ(platform.versionDialogs, 1);
    platform.nextMenuChoice = {MenuCommand::Exit, 0};
    EXPECT_THROW(StripMouseDown(P(), MouseButton::Right), ProgramEnded);
}

// An element that answers its outline with a given result and keeps what it
// was handed.
class RefusingElement : public NullElement {
public:
    RegionResult ApplyRegionData(const uint8_t* record, uint32_t bytes) override
    {
        lastBytes = bytes;
        lastRecord = record;
        return result;
    }
    RegionResult result = RegionResult::Ok;
    uint32_t lastBytes = 0;
    const uint8_t* lastRecord = nullptr;
};

TEST_F(StripLoadTest, ApplyRegionHandsTheRecordInPlaceAndEndsTheProgramWhenItIsRefused)
{
    Start();
    RefusingElement e;
    ApplyRegion(P(), 16, e);
    EXPECT_EQ(e.lastBytes, 80u) << "the header and the rectangles in use";
    EXPECT_EQ(e.lastRecord, reinterpret_cast<const uint8_t*>(&P().RegionTable[16]));
    ApplyRegion(P(), 14, e);
    EXPECT_EQ(e.lastBytes, 32u + 16u * 183u);

    e.result = RegionResult::CreateFailed;
    EXPECT_THROW(ApplyRegion(P(), 16, e), ProgramEnded);
    EXPECT_EQ(platform.lastMessage, "リージョンデータの読み込みに失敗しました。");
    e.result = RegionResult::SetFailed;
    EXPECT_THROW(ApplyRegion(P(), 14, e), ProgramEnded);
    EXPECT_EQ(platform.lastMessage, "ウィンドウの整形に失敗しました。");
}

}  // namespace
}  // namespace seastrip::testing
