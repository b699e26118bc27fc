#include <algorithm>
#include <cstdlib>

#include "program_fixture.h"
#include "shell/out_of_sight.h"

namespace seastrip::testing {
namespace {

// Two copies of the program started alike: one always seen, one that nobody
// sees for a while. What the second shows on its return is judged against
// what the first shows at the same moment.
struct Twins {
    Twins(double clock, const char* choice, bool sound) : seen({}, clock), unseen({}, clock)
    {
        for (HeadlessRun* run : {&seen, &unseen}) {
            ApplyChoice(*run->program, choice);
            ApplyChoice(*run->program, sound ? "sound-on" : "sound-off");
        }
    }
    void Run(int64_t ms)
    {
        seen.Run(ms);
        unseen.Run(ms);
    }
    HeadlessRun seen, unseen;
};

// Whether the sky and everything the scene lays out look alike: the sky
// (every pixel), the setting sun, the stars.
::testing::AssertionResult SameLook(Program& a, Program& b)
{
    const auto sky = SameImage(*a.frmBG, *b.frmBG);
    if (!sky) return ::testing::AssertionFailure() << "the sky differs: " << sky.message();
    if (a.picSUN3->Visible() != b.picSUN3->Visible() || a.picSUN3->Top() != b.picSUN3->Top()) {
        return ::testing::AssertionFailure() << "the setting sun differs";
    }
    if (a.picHoshi(0).Visible() != b.picHoshi(0).Visible()) return ::testing::AssertionFailure() << "the stars differ";
    return ::testing::AssertionSuccess();
}

TEST(OutOfSightTest, OnReturnTheStripShowsAtOnceTheSceneOfAProgramThatNeverStopped)
{
    // `exact`: the twin rests (day, night) and the look must match to the
    // pixel; otherwise a transition is under way and may be one step apart.
    struct Case {
        const char* what;
        double leave;
        int64_t gapMs;
        const char* choice;
        bool exact;
    };
    constexpr int64_t kMinute = 60 * 1000, kHour = 60 * kMinute;
    const Case cases[] = {
        {"screen off at 17:00, back at 20:00: night", At(17, 0), 3 * kHour, "auto", true},
        {"off before the sunset, back after it in hour 18", At(17, 0), 90 * kMinute, "auto", true},
        {"off before the sunset, back in the middle of it", At(17, 59), 2 * kMinute, "auto", false},
        {"off in the middle of a sunset, back later in it", At(18, 0, 30), kMinute, "auto", false},
        {"across midnight into the night", At(23, 0), 3 * kHour, "auto", true},
        {"across midnight, back after the dawn in hour 5", At(23, 30), 6 * kHour, "auto", true},
        {"across midnight, back in the middle of the dawn", At(23, 30), 5 * kHour + 30 * kMinute + 40 * 1000, "auto",
         false},
        {"a whole day, back at the same moment of a sunset", At(18, 1), 24 * kHour, "auto", false},
        {"a whole day and a half, noon to the small hours", At(12, 0), 38 * kHour, "auto", true},
        {"morning: its dawn ran unseen, noon marked", At(12, 0), 10 * kMinute, "morning", true},
        {"morning: back in the middle of its dawn", At(12, 0), 30 * 1000, "morning", false},
        {"noon stays noon through the night", At(12, 0), 10 * kHour, "noon", true},
        {"evening: its sunset ran unseen, night marked", At(12, 0), 10 * kMinute, "evening", true},
        {"evening: back in the middle of its sunset", At(12, 0), 70 * 1000, "evening", false},
        {"night stays night through the day", At(23, 0), 14 * kHour, "night", true},
        {"evening for a whole day", At(12, 0), 24 * kHour, "evening", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessRun away({}, c.leave);
        ApplyChoice(*away.program, c.choice);
        away.Run(1000);
        away.timers.LeaveSight();
        away.Run(c.gapMs);
        away.timers.ReturnToSight();
        // The twin runs the last hour of the gap, or all of it: an hour that
        // includes one outside the transitions' and no transition takes
        // more than minutes, so what it shows no longer depends on its start.
        const int64_t lead = std::min<int64_t>(c.gapMs, kHour);
        HeadlessRun seen({}, c.leave + static_cast<double>(c.gapMs - lead) / 1000.0);
        ApplyChoice(*seen.program, c.choice);
        seen.Run(1000 + lead);
        ASSERT_NEAR(seen.platform.Clock(), away.platform.Clock(), 1e-6);

        Program& back = *away.program;
        EXPECT_EQ(back.SceneShown, back.SceneNow) << "shown at once, before any tick";
        EXPECT_EQ(MarkedScene(away.platform), MarkedScene(seen.platform));
        if (c.exact) {
            EXPECT_EQ(back.SceneNow, seen.program->SceneNow);
            EXPECT_TRUE(SameLook(*seen.program, back));
        } else {
            EXPECT_LE(std::abs(back.SceneNow - seen.program->SceneNow), 1)
                << seen.program->SceneNow << " against " << back.SceneNow;
            EXPECT_NE(seen.program->SceneNow % 345, 0) << "the case meant to land in a transition";
        }
        // From here on both go on alike.
        seen.Run(5 * kMinute);
        away.Run(5 * kMinute);
        EXPECT_EQ(back.SceneNow, seen.program->SceneNow);
    }
}

TEST(OutOfSightTest, NothingIsDrawnOutOfSightAndOnlyTheWaveSoundWakesTheProgramOnItsOwnBeat)
{
    for (bool sound : {false, true}) {
        SCOPED_TRACE(sound ? "sound on" : "sound off");
        Twins twins(At(21, 0), "auto", sound);
        twins.Run(2000 + 37);  // leave between two ticks, the beat mid-cycle
        Stage& stage = twins.unseen.platform.GetStage();
        stage.Compose();
        twins.unseen.timers.LeaveSight();
        const int64_t wakeupsBefore = twins.unseen.timers.Wakeups();
        // In wave-tick steps, the sounds of both keep pace with each other.
        for (int i = 0; i < 60000 / kTimerNamiIntervalMs; ++i) {
            twins.Run(kTimerNamiIntervalMs);
            ASSERT_EQ(twins.unseen.platform.soundsPlayed.size(), twins.seen.platform.soundsPlayed.size()) << i;
        }
        const int64_t wakeups = twins.unseen.timers.Wakeups() - wakeupsBefore;
        EXPECT_EQ(wakeups, sound ? 9 : 0) << "one wakeup a wave cycle, 6.6 s, with the sound on";
        EXPECT_EQ(twins.seen.platform.soundsPlayed.size(), sound ? 10u : 0u) << "the twin heard the start's cycle too";
        stage.Compose();
        EXPECT_TRUE(stage.ChangedRects().empty()) << "nothing changed on the strip out of sight";

        twins.unseen.timers.ReturnToSight();
        EXPECT_EQ(twins.unseen.program->WaveStep, twins.seen.program->WaveStep);
        // After the return the wave timer keeps the same beat.
        for (int i = 0; i < 200; ++i) {
            twins.Run(kTimerNamiIntervalMs / 2);
            ASSERT_EQ(twins.unseen.program->WaveStep, twins.seen.program->WaveStep) << i;
            ASSERT_EQ(twins.unseen.platform.soundsPlayed.size(), twins.seen.platform.soundsPlayed.size()) << i;
        }
        EXPECT_TRUE(twins.unseen.program->picNami(0).Visible() == twins.seen.program->picNami(0).Visible());
    }
}

}  // namespace
}  // namespace seastrip::testing
