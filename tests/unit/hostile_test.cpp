// The program in places no one plans for: settings that cannot be written or
// are not settings at all, screens far narrower and wider than usual, odd
// twips factors, and a clock that jumps. Each case runs the real program
// headless and holds it to the soak's invariants.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "front/headless/invariants.h"
#include "temp_files.h"
#include "front/common/profile_file.h"
#include "regions/apply_region.h"
#include "shell/menu_commands.h"
#include "front/headless/headless_platform.h"
#include "front/headless/headless_run.h"
#include "program_fixture.h"

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

    bool SoundOn() const { return platform.IsChecked(MenuGroup::Sound, 0) && !platform.IsChecked(MenuGroup::Sound, 1); }

    std::unique_ptr<InvariantChecker> checker;
    std::optional<std::string> firstFailure;
};

// Settings the program cannot use or cannot store: the choice made in the
// run holds for the run, and what is there is left as it was (after garbage
// the choice is stored behind it). Empty bytes stand for a folder in the
// file's place.
struct HostileSettings {
    const char* what;
    std::string bytes;
    bool settingsFolderBehindTheFile;
    bool writesRefused;
    bool readAsOn;
    bool stored;
};

TEST(HostileSettingsTest, TheChoiceHoldsForTheRunAndWhatIsThereIsKept)
{
    std::string garbage;
    uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        const char c = static_cast<char>(x >> 24);
        garbage += c == '[' ? '\0' : c;  // no section headers, only noise
    }
    std::string huge = "[Data]\nSound=OFF\n";
    huge.resize(kMaxProfileFileBytes + 1, ';');
    const HostileSettings cases[] = {
        {"a folder that refuses writes", "[Data]\nSound=OFF\n", false, true, false, false},
        {"a settings folder behind a plain file", "x", true, false, true, false},
        {"binary garbage", garbage, false, false, true, true},
        {"a file too large to be settings", huge, false, false, true, false},
        {"a folder where the file belongs", "", false, false, true, false}};
    for (const HostileSettings& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        const std::string file = dir.File("seastrip.ini");
        if (c.bytes.empty()) fs::create_directories(file + "/inside");
        else Spit(file, c.bytes);
        const std::string folder = c.settingsFolderBehindTheFile ? file + "/sub" : dir.Path();
        {
            std::optional<WritesRefused> refused;
            if (c.writesRefused) refused.emplace(dir.Path());
            Started run({.settingsFolder = folder});
            EXPECT_EQ(run.SoundOn(), c.readAsOn);
            SoundItemChosen(*run.program, c.readAsOn ? 1 : 0);
            if (!run.firstFailure) run.firstFailure = run.checker->AfterSoundChoice();
            EXPECT_EQ(run.SoundOn(), !c.readAsOn) << "the choice holds in the check marks";
            ASSERT_TRUE(run.Run(30'000)) << run.firstFailure.value_or("the program ended");
            EXPECT_EQ(run.platform.soundsPlayed.size(), c.readAsOn ? 0u : 5u) << "as chosen, all run long";
        }
        if (c.bytes.empty()) {
            EXPECT_TRUE(fs::is_directory(file + "/inside"));
        } else {
            const std::string after = Slurp(file);
            EXPECT_EQ(c.stored ? after.substr(0, c.bytes.size()) : after, c.bytes) << "what was there is kept";
        }
        EXPECT_EQ(dir.Entries(), 1) << "no temporary file is left behind";
        EXPECT_EQ(Started({.settingsFolder = folder}).SoundOn(), c.stored ? !c.readAsOn : c.readAsOn) << "the next start";
    }
}

struct Screen {
    int widthPx;
    float twipsPerPixel;
};

class HostileScreenTest : public ::testing::TestWithParam<Screen> {};

TEST_P(HostileScreenTest, StartsCoversTheWidthKeepsCloudsOffTheSunAndRunsAnHour)
{
    const auto [widthPx, tpp] = GetParam();
    HeadlessPlatform::Options options = ScreenOf(widthPx);
    options.twipsPerPixelX = options.twipsPerPixelY = tpp;
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
    EXPECT_EQ(frame.width, widthPx);
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
    Started run(ScreenOf(10));
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

TEST(HostileClockTest, MidnightPassesInTheNightTheDawnHourStartsTheDawnAndTheSceneFollowsJumps)
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

    // Jumps of the clock show at the next compute half of the main tick,
    // each followed by a while of running on.
    const std::tuple<double, int32_t, const char*> jumps[] = {
        {At(22, 0), 345, "resumed after hours asleep"},
        {At(8, 0), 0, "the clock set back"},
        {At(18, 30), 2, "into the sunset hour: a sunset starts from its beginning"},
        {At(16, 0), 0, "back before it, mid-sunset"},
        {At(5, 30), 0, "asleep from afternoon to dawn: day already reached, no dawn in that hour"},
    };
    for (const auto& [clock, scene, what] : jumps) {
        run.platform.SetClock(clock);
        EXPECT_EQ(SceneAfterNextCompute(run), scene) << what;
        ASSERT_TRUE(run.Run(20'000)) << what << ": " << run.firstFailure.value_or("the program ended");
    }
}

// The checker itself: every rule it is given must be able to fail.
TEST(InvariantCheckerTest, HoldsForAFreshProgramAndCatchesEveryBrokenRuleAMiddleWaveTileAtTheNextFullComparison)
{
    const std::pair<std::function<void(Program&)>, const char*> breaks[] = {
        {[](Program&) {}, "held"},
        {[](Program& p) { p.SceneNow = 480; }, "outside 0..479"},
        {[](Program& p) { p.platform.SetChecked(MenuGroup::Scene, 3, true); }, "2 check marks in the scene group"},
        {[](Program& p) { p.picKUMO(1).SetLeft(p.picKUMO(1).Left() + 15); }, "moved outside a drift step"},
        {[](Program& p) { p.picNami(2).SetVisible(true); }, "picNami(2) shows in a pause"},
        {[](Program& p) { ApplyRegion(p, 5, p.picNami(4)); }, "picNami(4) does not show wave frame -1"},
        {[](Program& p) { ApplyRegion(p, region::kWalker, p.picSUN(2)); }, "not a streak"},
        {[](Program& p) { p.picHoshi.Load(p.platform, 99); }, "elements"},
        {[](Program& p) {
             p.picSUN(3).SetVisible(true);
             p.picSUN(3).SetTop(24 * 15.0f);
             p.picSUN(3).SetLeft(-15);
         },
         "off the screen"},
    };
    for (const auto& [breakARule, verdict] : breaks) {
        Started run{HeadlessPlatform::Options{}};
        ASSERT_FALSE(run.firstFailure) << *run.firstFailure;
        ASSERT_EQ(run.program->picNami.Count(), 5);
        breakARule(*run.program);
        const std::string got = run.checker->AfterSoundChoice().value_or("held");
        EXPECT_NE(got.find(verdict), std::string::npos) << got;
    }

    // A middle wave tile is compared only at the next full comparison.
    Started run{HeadlessPlatform::Options{}};
    run.checker->SetStaticOutlineInterval(2);  // the start was check 1, a full one
    ApplyRegion(*run.program, 5, run.program->picNami(2));
    EXPECT_FALSE(run.checker->AfterSoundChoice()) << "check 2 compares the ends of the row only";
    const std::string verdict = run.checker->AfterSoundChoice().value_or("held");
    EXPECT_NE(verdict.find("picNami(2) does not show wave frame -1"), std::string::npos) << verdict;
}

}  // namespace
}  // namespace seastrip::testing
