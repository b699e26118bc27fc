// What one tick of each timer costs, with the composition of what it changed,
// by day, during a sunset and at night, on screens 1024, 1920 and 3840 pixels
// wide. The counters say how many strip pixels each tick recomposed on
// average, so the cost can be set against what changed on screen. A wave
// tick is also measured with what the desktop front adds before the pixels
// go to the screen: the changed rectangles copied into the window's image
// at scale 1 and 2. Last, the return of a strip nobody saw for twelve hours:
// the scene clock caught up, the scene laid out and painted, the frame
// composed.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/timers.h"
#include "front/headless/headless_run.h"
#include "stage/nearest_scale.h"

namespace seastrip {
namespace {

enum class Moment { Day, Sunset, Night };

// Where each moment is held: a sunset that reaches the night starts again
// from here, so every measured tick is a sunset tick.
constexpr int32_t kSunsetRestart = 2;
constexpr int32_t kSunsetHeld = 340;

struct Strip : HeadlessRun {
    Strip(int widthPx, Moment moment)
        : HeadlessRun(Options(widthPx),
                      (moment == Moment::Day ? 12 : moment == Moment::Sunset ? 18 : 23) * 3600.0 + 600)
    {
        // Settle into the moment: the scene computed, the sky painted, waves
        // rolling; a sunset is taken a minute in.
        Run(moment == Moment::Sunset ? 60'000 : 10'000);
        platform.GetStage().Compose();
    }

    static HeadlessPlatform::Options Options(int widthPx)
    {
        HeadlessPlatform::Options options;
        options.screenWidthPx = widthPx;
        return options;
    }
};

long ChangedPixels(const Stage& stage)
{
    const PixelRect r = stage.ChangedRect();
    return r.Empty() ? 0 : static_cast<long>(r.w) * r.h;
}

void Report(benchmark::State& state, long pixels)
{
    state.counters["px_recomposed"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
}

void MainTick(benchmark::State& state, int widthPx, Moment moment)
{
    Strip strip(widthPx, moment);
    Program& p = *strip.program;
    Stage& stage = strip.platform.GetStage();
    long pixels = 0;
    for (auto _ : state) {
        TimerMainTick(p);
        benchmark::DoNotOptimize(stage.Compose());
        pixels += ChangedPixels(stage);
        if (moment == Moment::Sunset && p.SceneNow >= kSunsetHeld) {
            state.PauseTiming();
            p.SceneNow = kSunsetRestart;
            state.ResumeTiming();
        }
    }
    Report(state, pixels);
}

void NamiTick(benchmark::State& state, int widthPx, Moment moment)
{
    Strip strip(widthPx, moment);
    Program& p = *strip.program;
    Stage& stage = strip.platform.GetStage();
    long pixels = 0;
    for (auto _ : state) {
        TimerNamiTick(p);
        benchmark::DoNotOptimize(stage.Compose());
        pixels += ChangedPixels(stage);
        strip.platform.soundsPlayed.clear();
    }
    Report(state, pixels);
}

void NamiTickDrawn(benchmark::State& state, int widthPx, int scale)
{
    Strip strip(widthPx, Moment::Night);
    Program& p = *strip.program;
    Stage& stage = strip.platform.GetStage();
    const Bitmap& frame = stage.Frame();
    const ptrdiff_t stride = static_cast<ptrdiff_t>(frame.width) * scale * 4;
    std::vector<uint8_t> image(static_cast<size_t>(stride) * frame.height * scale);
    long pixels = 0;
    for (auto _ : state) {
        TimerNamiTick(p);
        stage.Compose();
        for (const PixelRect& rect : stage.ChangedRects()) ScaleNearestInto(frame, rect, scale, image.data(), stride);
        benchmark::DoNotOptimize(image.data());
        pixels += ChangedPixels(stage);
        strip.platform.soundsPlayed.clear();
    }
    Report(state, pixels);
}

void ReturnAfterTwelveHours(benchmark::State& state, int widthPx)
{
    HeadlessRun strip(Strip::Options(widthPx), 17 * 3600.0);
    ApplyChoice(*strip.program, "sound-off");
    strip.Run(10'000);
    Stage& stage = strip.platform.GetStage();
    for (auto _ : state) {
        state.PauseTiming();
        strip.timers.LeaveSight();
        strip.Run(12 * 3600 * 1000);
        state.ResumeTiming();
        strip.timers.ReturnToSight();
        benchmark::DoNotOptimize(stage.Compose());
    }
}

void RegisterAll()
{
    const std::pair<Moment, const char*> moments[] = {
        {Moment::Day, "day"}, {Moment::Sunset, "sunset"}, {Moment::Night, "night"}};
    for (const auto& [moment, name] : moments) {
        for (int width : {1024, 1920, 3840}) {
            const std::string suffix = std::string("/") + name + "/" + std::to_string(width) + "px";
            benchmark::RegisterBenchmark(("TimerNami" + suffix).c_str(), NamiTick, width, moment)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("TimerMain" + suffix).c_str(), MainTick, width, moment)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (int scale : {1, 2}) {
        benchmark::RegisterBenchmark(("TimerNamiDrawn/night/1920px/scale" + std::to_string(scale)).c_str(),
                                     NamiTickDrawn, 1920, scale)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("ReturnAfter12h/1920px", ReturnAfterTwelveHours, 1920)->Unit(benchmark::kMicrosecond);
}

}  // namespace
}  // namespace seastrip

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seastrip::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
