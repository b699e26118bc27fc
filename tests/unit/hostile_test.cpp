// The program in places no one plans for: settings that cannot be written or
// are not settings at all, screens far narrower and wider than usual, odd
// twips factors, and a clock that jumps. Each case runs the real program
// headless and holds it to the soak's invariants.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "front/headless/invariants.h"
#include "temp_files.h"
#include "front/common/profile_file.h"
#include "regions/apply_region.h"
#include "shell/menu_commands.h"
#include "shell/start_program.h"
#include "front/headless/headless_platform.h"
#include "front/headless/headless_run.h"

namespace seastrip::testing {
namespace {

namespace fs = std::filesystem;

// Makes the folder refuse new data for as long as it lives. Permissions stop
// an ordinary user; they do not stop root, so the size limit for new file
// data is set to zero as well, which stops everyone (a full or read-only
// disk looks the same to the program).
class WritesRefused {
public:
    explicit WritesRefused(const std::string& folder) : folder_(folder)
    {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~WritesRefused()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
        fs::permissions(folder_, fs::perms::owner_all);
    }

private:
    std::string folder_;
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// A program started headless, with the soak's checker watching every tick.
struct Started : HeadlessRun {
    explicit Started(const HeadlessPlatform::Options& options, double clock = 12 * 3600.0)
        : HeadlessRun(options, clock), checker(std::make_unique<InvariantChecker>(platform, *program))
    {
        firstFailure = checker->AfterStart();
    }

    // Lets time pass, checking every tick; false once an invariant broke
    // (kept in firstFailure) or the program ended.
    bool Run(int64_t ms, const std::function<void(SimulatedTimers::Tick)>& alsoAfterTick = {})
    {
        const bool alive = HeadlessRun::Run(ms, [&](SimulatedTimers::Tick tick) {
            if (!firstFailure) firstFailure = checker->AfterTick(tick);
            if (alsoAfterTick) alsoAfterTick(tick);
        });
        return alive && !firstFailure;
    }

    void ChooseSound(int index)
    {
        SoundItemChosen(*program, index);
        if (!firstFailure) firstFailure = checker->AfterSoundChoice();
    }

    bool SoundOn() const { return platform.IsChecked(MenuGroup::Sound, 0) && !platform.IsChecked(MenuGroup::Sound, 1); }

    std::unique_ptr<InvariantChecker> checker;
    std::optional<std::string> firstFailure;
};

HeadlessPlatform::Options InFolder(const std::string& folder)
{
    HeadlessPlatform::Options options;
    options.settingsFolder = folder;
    return options;
}

TEST(HostileSettingsTest, AFolderThatRefusesWritesKeepsTheChoiceForTheRunAndTheOldFileForTheNext)
{
    TempFolder dir;
    const std::string old = "[Data]\nSound=OFF\n";
    Spit(dir.File("seastrip.ini"), old);
    {
        WritesRefused refused(dir.Path());
        Started run(InFolder(dir.Path()));
        EXPECT_FALSE(run.SoundOn()) << "the old file is read";
        run.ChooseSound(0);
        EXPECT_TRUE(run.SoundOn()) << "the choice holds in the check marks";
        ASSERT_TRUE(run.Run(30'000)) << run.firstFailure.value_or("the program ended");
        EXPECT_EQ(run.platform.soundsPlayed.size(), 5u) << "the waves are heard for the rest of the run";
    }
    EXPECT_EQ(Slurp(dir.File("seastrip.ini")), old) << "the refused write changed nothing";
    EXPECT_EQ(dir.Entries(), 1) << "no temporary file is left behind";

    Started next(InFolder(dir.Path()));
    EXPECT_FALSE(next.SoundOn()) << "the next start reads the old file";
}

TEST(HostileSettingsTest, AFolderBehindAPlainFileStartsWithSoundAndHoldsTheChoice)
{
    TempFolder dir;
    Spit(dir.File("not-a-folder"), "x");
    const std::string folder = dir.File("not-a-folder") + "/sub";
    Started run(InFolder(folder));
    EXPECT_TRUE(run.SoundOn());
    run.ChooseSound(1);
    EXPECT_FALSE(run.SoundOn());
    ASSERT_TRUE(run.Run(10'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_TRUE(run.platform.soundsPlayed.empty());
    EXPECT_EQ(Slurp(dir.File("not-a-folder")), "x");
    EXPECT_TRUE(Started(InFolder(folder)).SoundOn()) << "nothing was stored";
}

TEST(HostileSettingsTest, BinaryGarbageReadsAsSoundOnAndSurvivesAWrite)
{
    TempFolder dir;
    std::string garbage;
    uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        char c = static_cast<char>(x >> 24);
        garbage += c == '[' ? '\0' : c;  // no section headers, only noise
    }
    Spit(dir.File("seastrip.ini"), garbage);
    Started run(InFolder(dir.Path()));
    EXPECT_TRUE(run.SoundOn());
    run.ChooseSound(1);
    ASSERT_TRUE(run.Run(5'000)) << run.firstFailure.value_or("the program ended");
    const std::string after = Slurp(dir.File("seastrip.ini"));
    EXPECT_EQ(after.substr(0, garbage.size()), garbage) << "the bytes already there are kept";
    EXPECT_FALSE(Started(InFolder(dir.Path())).SoundOn()) << "the choice was stored after them";
}

TEST(HostileSettingsTest, AHugeFileIsNeitherReadNorRewritten)
{
    TempFolder dir;
    std::string huge = "[Data]\nSound=OFF\n";
    huge.resize(kMaxProfileFileBytes + 1, ';');
    Spit(dir.File("seastrip.ini"), huge);
    Started run(InFolder(dir.Path()));
    EXPECT_TRUE(run.SoundOn()) << "too large to be settings: read as empty";
    run.ChooseSound(1);
    EXPECT_FALSE(run.SoundOn());
    ASSERT_TRUE(run.Run(5'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_EQ(fs::file_size(dir.File("seastrip.ini")), huge.size());
    EXPECT_EQ(dir.Entries(), 1);
}

TEST(HostileSettingsTest, ASettingsPathThatIsAFolderStaysAFolder)
{
    TempFolder dir;
    fs::create_directories(dir.File("seastrip.ini/inside"));
    Started run(InFolder(dir.Path()));
    EXPECT_TRUE(run.SoundOn());
    run.ChooseSound(1);
    EXPECT_FALSE(run.SoundOn());
    ASSERT_TRUE(run.Run(5'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_TRUE(fs::is_directory(dir.File("seastrip.ini/inside")));
}

struct Screen {
    int widthPx;
    float twipsPerPixel;
};

class HostileScreenTest : public ::testing::TestWithParam<Screen> {};

TEST_P(HostileScreenTest, StartsCoversTheWidthKeepsCloudsOffTheSunAndRunsAnHour)
{
    HeadlessPlatform::Options options;
    options.screenWidthPx = GetParam().widthPx;
    options.twipsPerPixelX = options.twipsPerPixelY = GetParam().twipsPerPixel;
    // From half past five in the evening: the hour holds a whole sunset.
    Started run(options, 17.5 * 3600);
    ASSERT_FALSE(run.firstFailure) << *run.firstFailure;  // the tiles cover the width

    const Program& p = *run.program;
    const float sunLeft = p.picSUN3->Left();
    const float sunRight = sunLeft + p.picSUN3->Width();
    for (int i = 0; i < 3; ++i) {
        const float left = p.picKUMO(i).Left();
        EXPECT_TRUE(sunRight < left || left + p.picKUMO(0).Width() < sunLeft) << "cloud " << i << " at " << left;
    }
    ASSERT_TRUE(run.Run(3600 * 1000)) << run.firstFailure.value_or("the program ended");
    EXPECT_EQ(p.SceneNow, 345) << "the sunset ran to the night";

    const Bitmap& frame = run.platform.GetStage().Compose();
    EXPECT_EQ(frame.width, options.screenWidthPx);
    EXPECT_EQ(frame.height, 28);
}

INSTANTIATE_TEST_SUITE_P(Extremes, HostileScreenTest,
                         ::testing::Values(Screen{320, 15}, Screen{7680, 15}, Screen{1024, 10}, Screen{1024, 12},
                                           Screen{320, 12}, Screen{7680, 10}),
                         [](const auto& info) {
                             return std::to_string(info.param.widthPx) + "px_" +
                                    std::to_string(static_cast<int>(info.param.twipsPerPixel)) + "tpp";
                         });

TEST(HostileScreenTest, AScreenWithNoPlaceClearOfTheSunStillStarts)
{
    // Ten pixels: every tenth of the width lies under the sun. The search for
    // a cloud place gives up, and the clouds wait hidden at the left edge.
    HeadlessPlatform::Options options;
    options.screenWidthPx = 10;
    Started run(options);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(run.program->picKUMO(i).Visible());
    ASSERT_FALSE(run.firstFailure) << *run.firstFailure;
    ASSERT_TRUE(run.Run(10 * 60 * 1000)) << run.firstFailure.value_or("the program ended");
}

// The scene after the next compute half of TimerMain, the first chance the
// program has to notice a new clock.
int32_t SceneAfterNextCompute(Started& run)
{
    int32_t seen = -1;
    while (seen < 0) {
        run.Run(250, [&](SimulatedTimers::Tick tick) {
            if (seen < 0 && tick == SimulatedTimers::Tick::Main && run.program->MainPhase == 1) {
                seen = run.program->SceneNow;
            }
        });
    }
    return seen;
}

TEST(HostileClockTest, TheSceneFollowsJumpsAtTheNextComputeTick)
{
    Started run(HeadlessPlatform::Options{}, 12 * 3600.0);
    ASSERT_TRUE(run.Run(10'000));

    run.platform.SetClock(22 * 3600.0);  // resumed after ten hours asleep
    EXPECT_EQ(SceneAfterNextCompute(run), 345);
    run.platform.SetClock(8 * 3600.0);  // the clock set back
    EXPECT_EQ(SceneAfterNextCompute(run), 0);
    run.platform.SetClock(18.5 * 3600);  // into the sunset hour
    EXPECT_EQ(SceneAfterNextCompute(run), 2) << "a sunset starts from its beginning";
    ASSERT_TRUE(run.Run(20'000)) << run.firstFailure.value_or("the program ended");
    run.platform.SetClock(16 * 3600.0);  // back before it, mid-sunset
    EXPECT_EQ(SceneAfterNextCompute(run), 0);
    run.platform.SetClock(5.5 * 3600);  // asleep from afternoon to dawn
    EXPECT_EQ(SceneAfterNextCompute(run), 0) << "day already reached: no dawn in that hour";
    ASSERT_TRUE(run.Run(5'000)) << run.firstFailure.value_or("the program ended");
}

TEST(HostileClockTest, MidnightPassesInTheNightAndTheDawnHourStartsTheDawn)
{
    Started run(HeadlessPlatform::Options{}, 23 * 3600 + 59 * 60 + 50);
    ASSERT_TRUE(run.Run(20'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_LT(run.platform.Clock(), 60.0) << "the clock wrapped";
    EXPECT_EQ(run.program->SceneNow, 345);
    run.platform.SetClock(5 * 3600 - 1);
    ASSERT_TRUE(run.Run(2'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_GT(run.program->SceneNow, 346);
    ASSERT_TRUE(run.Run(70'000)) << run.firstFailure.value_or("the program ended");
    EXPECT_EQ(run.program->SceneNow, 0) << "the dawn ran to the day";
}

// The checker itself: every rule it is given must be able to fail.
class InvariantCheckerTest : public ::testing::Test {
protected:
    Started run{HeadlessPlatform::Options{}};
    Program& P() { return *run.program; }
    std::string Verdict() { return run.checker->AfterSoundChoice().value_or("held"); }
};

TEST_F(InvariantCheckerTest, HoldsForAFreshProgram)
{
    ASSERT_FALSE(run.firstFailure) << *run.firstFailure;
    EXPECT_EQ(Verdict(), "held");
}

TEST_F(InvariantCheckerTest, CatchesASceneOutOfRange)
{
    P().SceneNow = 480;
    EXPECT_NE(Verdict().find("outside 0..479"), std::string::npos);
}

TEST_F(InvariantCheckerTest, CatchesTwoCheckMarks)
{
    run.platform.SetChecked(MenuGroup::Scene, 3, true);
    EXPECT_NE(Verdict().find("2 check marks in the scene group"), std::string::npos);
}

TEST_F(InvariantCheckerTest, CatchesACloudThatJumps)
{
    P().picKUMO(1).SetLeft(P().picKUMO(1).Left() + 15);
    EXPECT_NE(Verdict().find("moved outside a drift step"), std::string::npos);
}

TEST_F(InvariantCheckerTest, CatchesAWaveTileShownInAPause)
{
    P().picNami(2).SetVisible(true);
    const std::string verdict = Verdict();
    EXPECT_NE(verdict.find("picNami(2) shows in a pause"), std::string::npos) << verdict;
}

TEST_F(InvariantCheckerTest, CatchesAWaveTileWithAnotherFrame)
{
    const int last = P().picNami.Count() - 1;
    ApplyRegion(P(), 5, P().picNami(last));
    const std::string verdict = Verdict();
    EXPECT_NE(verdict.find("picNami(" + std::to_string(last) + ") does not show wave frame -1"), std::string::npos)
        << verdict;
}

TEST_F(InvariantCheckerTest, CatchesAMiddleWaveTileAtTheNextFullComparison)
{
    run.checker->SetStaticOutlineInterval(2);  // the start was check 1, a full one
    ApplyRegion(P(), 5, P().picNami(2));
    EXPECT_EQ(Verdict(), "held") << "check 2 compares the ends of the row only";
    const std::string verdict = Verdict();
    EXPECT_NE(verdict.find("picNami(2) does not show wave frame -1"), std::string::npos) << verdict;
}

TEST_F(InvariantCheckerTest, CatchesAnOutlineTheRoleDoesNotAllow)
{
    ApplyRegion(P(), region::kWalker, P().picSUN(2));
    EXPECT_NE(Verdict().find("not a streak"), std::string::npos);
}

TEST_F(InvariantCheckerTest, CatchesAnElementCreatedAfterTheStart)
{
    P().picHoshi.Load(run.platform, 99);
    EXPECT_NE(Verdict().find("elements"), std::string::npos);
}

TEST_F(InvariantCheckerTest, CatchesAWalkerOffTheScreen)
{
    P().picSUN(3).SetVisible(true);
    P().picSUN(3).SetTop(24 * 15.0f);
    P().picSUN(3).SetLeft(-15);
    EXPECT_NE(Verdict().find("off the screen"), std::string::npos);
}

}  // namespace
}  // namespace seastrip::testing
