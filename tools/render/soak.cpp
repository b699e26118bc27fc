#include "soak.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <stdexcept>

#include "front/headless/headless_run.h"
#include "front/headless/invariants.h"
#include "shell/menu_commands.h"
#include "state/scene_values.h"

namespace seastrip {
namespace {

// The menu choices come from a source of their own, so the program's draws
// (cloud placement, drift, stars, walker) run exactly as they would alone.
constexpr uint64_t kChoiceSeed = 0x50A4C401CEull;
// The frame is composed once in this many ticks, as a front repaints.
constexpr long kComposeEvery = 16;
constexpr int64_t kHourMs = 3600 * 1000;

struct Broken : std::runtime_error {
    using std::runtime_error::runtime_error;
};

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Counts {
    long mainTicks = 0;
    long namiTicks = 0;
    long compositions = 0;
    long sceneChoices = 0;
    long soundChoices = 0;
    long soundsPlayed = 0;
    long sunsetsStarted = 0;
    long sunsetsEnded = 0;
    long dawnsStarted = 0;
    long dawnsEnded = 0;
    long hour18Reached = 0;
    long hour5Reached = 0;
};

class Soak {
public:
    explicit Soak(const RenderOptions& options) : run_(ScreenFor(options), options.clockSeconds), checker_(run_.platform, *run_.program) {}

    int Run(double hours)
    {
        const auto started = std::chrono::steady_clock::now();
        Require(checker_.AfterStart());
        const int64_t totalMs = static_cast<int64_t>(hours * kHourMs);
        int64_t nextChoiceMs = NextChoiceDelay();
        long peakAtHour1 = -1;
        int lastHour = run_.platform.LocalHour();
        scene_ = run_.program->SceneNow;
        try {
            while (run_.timers.ElapsedMs() < totalMs) {
                const int64_t elapsed = run_.timers.ElapsedMs();
                int64_t until = std::min(totalMs, nextChoiceMs);
                if (peakAtHour1 < 0) until = std::min(until, kHourMs);
                if (!run_.Run(until - elapsed, [&](SimulatedTimers::Tick tick) { AfterTick(tick, lastHour); })) {
                    throw Broken("the program ended: " + run_.platform.lastMessage);
                }
                if (peakAtHour1 < 0 && run_.timers.ElapsedMs() >= kHourMs) peakAtHour1 = PeakRssKb();
                if (run_.timers.ElapsedMs() >= nextChoiceMs) {
                    Choose();
                    nextChoiceMs = run_.timers.ElapsedMs() + NextChoiceDelay();
                }
            }
            // Over a whole day every sunset and dawn the clock passed must
            // have run to its end: the choices go back to the clock before.
            if (counts_.sunsetsEnded < counts_.hour18Reached) throw Broken("a sunset did not reach the night");
            if (counts_.dawnsEnded < counts_.hour5Reached) throw Broken("a dawn did not reach the day");
        } catch (const Broken& broken) {
            std::fprintf(stderr, "soak: invariant broken after %.3f simulated hours (tick %ld): %s\n",
                         static_cast<double>(run_.timers.ElapsedMs()) / kHourMs,
                         counts_.mainTicks + counts_.namiTicks, broken.what());
            return 1;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        PrintSummary(hours, seconds, peakAtHour1);
        return 0;
    }

private:
    void Require(const std::optional<std::string>& failure)
    {
        if (failure) throw Broken(*failure);
    }

    void AfterTick(SimulatedTimers::Tick tick, int& lastHour)
    {
        (tick == SimulatedTimers::Tick::Main ? counts_.mainTicks : counts_.namiTicks)++;
        Require(checker_.AfterTick(tick));
        if (tick == SimulatedTimers::Tick::Nami) CountSound();
        CountTransitions();
        const int hour = run_.platform.LocalHour();
        if (hour != lastHour) {
            if (hour == 18) ++counts_.hour18Reached;
            if (hour == 5) ++counts_.hour5Reached;
            lastHour = hour;
        }
        if ((counts_.mainTicks + counts_.namiTicks) % kComposeEvery == 0) Compose();
    }

    // The wave sound starts on the tick that shows the first entry, while
    // the sound item carries the mark.
    void CountSound()
    {
        const bool due = run_.program->WaveStep == 1 && run_.platform.IsChecked(MenuGroup::Sound, 0);
        const size_t played = run_.platform.soundsPlayed.size();
        if (played != (due ? 1u : 0u)) {
            throw Broken(due ? "the wave sound did not start with the cycle" : "a wave sound played out of turn");
        }
        counts_.soundsPlayed += static_cast<long>(played);
        run_.platform.soundsPlayed.clear();  // a day of sounds is not worth keeping
    }

    void CountTransitions()
    {
        const int32_t now = run_.program->SceneNow;
        const bool wasSunset = IsSunset(scene_);
        const bool wasDawn = IsDawn(scene_);
        if (IsSunset(now) && !wasSunset) ++counts_.sunsetsStarted;
        if (IsDawn(now) && !wasDawn) ++counts_.dawnsStarted;
        if (wasSunset && now == kSceneNight) ++counts_.sunsetsEnded;
        if (wasDawn && now == kSceneDay) ++counts_.dawnsEnded;
        scene_ = now;
    }

    void Compose()
    {
        Stage& stage = run_.platform.GetStage();
        const Bitmap& frame = stage.Compose();
        ++counts_.compositions;
        const PixelRect changed = stage.ChangedRect();
        if (frame.width != stage.ScreenWidthPx() || frame.height != 28) throw Broken("the frame lost its size");
        if (!changed.Empty() &&
            (changed.x < 0 || changed.y < 0 || changed.x + changed.w > frame.width || changed.y + changed.h > 28)) {
            throw Broken("the changed part of the frame reaches outside it");
        }
    }

    int64_t NextChoiceDelay()
    {
        // Every two to forty simulated minutes.
        return std::uniform_int_distribution<int64_t>(2 * 60 * 1000, 40 * 60 * 1000)(chooser_);
    }

    // A scene or sound choice, as a user would make it. Near the sunset and
    // dawn hours the scene goes back to the clock, so that every transition
    // the clock passes is seen through to its end.
    void Choose()
    {
        Program& program = *run_.program;
        const int minute = static_cast<int>(run_.platform.Clock() / 60) % (24 * 60);
        const bool nearSunset = minute >= 17 * 60 + 20 && minute < 19 * 60;
        const bool nearDawn = minute >= 4 * 60 + 20 && minute < 6 * 60;
        const bool nearTransition = nearSunset || nearDawn;
        std::uniform_int_distribution<int> pick(0, 99);
        if (nearTransition) {
            if (run_.platform.IsChecked(MenuGroup::Scene, 0)) return;
            SceneItemChosen(program, 0);
            ++counts_.sceneChoices;
            Require(checker_.AfterSceneChoice());
        } else if (pick(chooser_) < 30) {
            const int chosen = pick(chooser_) % kSoundItemCount;
            SoundItemChosen(program, chosen);
            ++counts_.soundChoices;
            if (!run_.platform.IsChecked(MenuGroup::Sound, chosen)) throw Broken("the sound choice did not hold");
            Require(checker_.AfterSoundChoice());
        } else {
            // Back to the clock half the time, else one of the fixed scenes.
            const int chosen = pick(chooser_) < 50 ? 0 : 1 + pick(chooser_) % 4;
            SceneItemChosen(program, chosen);
            ++counts_.sceneChoices;
            Require(checker_.AfterSceneChoice());
        }
        CountTransitions();
        Compose();
    }

    void PrintSummary(double hours, double seconds, long peakAtHour1) const
    {
        const HeadlessPlatform::Options& o = run_.platform.GetOptions();
        std::printf("soak: %.2f simulated hours at %d px in %.1f s of real time\n", hours, o.screenWidthPx, seconds);
        std::printf("  ticks: %ld TimerMain, %ld TimerNami; %ld compositions\n", counts_.mainTicks, counts_.namiTicks,
                    counts_.compositions);
        std::printf("  sunsets: %ld started, %ld reached night; dawns: %ld started, %ld reached day\n",
                    counts_.sunsetsStarted, counts_.sunsetsEnded, counts_.dawnsStarted, counts_.dawnsEnded);
        std::printf("  menu choices: %ld scene, %ld sound; wave sounds played: %ld\n", counts_.sceneChoices,
                    counts_.soundChoices, counts_.soundsPlayed);
        std::printf("  random draws by the program: %ld\n", run_.platform.RandomDraws());
        if (peakAtHour1 >= 0) std::printf("  peak memory at hour 1: %ld KiB\n", peakAtHour1);
        std::printf("  peak memory at the end: %ld KiB\n", PeakRssKb());
        std::printf("  every invariant held\n");
    }

    HeadlessRun run_;
    InvariantChecker checker_;
    std::mt19937_64 chooser_{kChoiceSeed};
    Counts counts_;
    int32_t scene_ = 0;
};

}  // namespace

int RunSoak(const RenderOptions& options)
{
    Soak soak(options);
    return soak.Run(options.soakHours);
}

}  // namespace seastrip
