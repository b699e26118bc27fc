#include "timelapse.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "animation_writer.h"
#include "front/headless/headless_run.h"
#include "stage/nearest_scale.h"

namespace seastrip {
namespace {

// A progress bar on standard error, shown once the work has taken a second.
class Progress {
public:
    explicit Progress(long total) : total_(total), start_(std::chrono::steady_clock::now()) {}
    void Update(long done)
    {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        if (elapsed < std::chrono::seconds(1) && !shown_) return;
        const int percent = static_cast<int>(100 * done / total_);
        if (shown_ && percent == lastPercent_) return;
        shown_ = true;
        lastPercent_ = percent;
        const int filled = percent * 30 / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%% %ld/%ld frames", std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(30 - filled), ' ').c_str(), percent, done, total_);
        std::fflush(stderr);
    }
    void Done()
    {
        if (shown_) std::fputc('\n', stderr);
    }

private:
    long total_;
    std::chrono::steady_clock::time_point start_;
    bool shown_ = false;
    int lastPercent_ = -1;
};

}  // namespace

int RenderTimelapse(const RenderOptions& options)
{
    std::string error;
    const auto schedule = PlanTimelapse(options, error);
    if (!schedule) {
        std::fprintf(stderr, "seastrip-render: %s\n", error.c_str());
        return 1;
    }
    const long frames = schedule->Frames();
    const int delayMs = static_cast<int>(std::lround(1000.0 / options.fps));

    HeadlessRun run(ScreenFor(options), options.fromSeconds);
    for (const std::string& choice : options.choices) ApplyChoice(*run.program, choice);

    auto writer = OpenAnimation(options.timelapse, options.width * options.scale, 28 * options.scale, error);
    if (!writer) {
        std::fprintf(stderr, "seastrip-render: %s\n", error.c_str());
        return 1;
    }
    Progress progress(frames);
    for (long f = 0; f < frames; ++f) {
        if (f > 0 && !run.Run(schedule->TimeMs(f) - schedule->TimeMs(f - 1))) {
            progress.Done();
            std::fprintf(stderr, "seastrip-render: the program ended: %s\n", run.platform.lastMessage.c_str());
            return 1;
        }
        if (!writer->AddFrame(ScaleNearest(run.platform.GetStage().Compose(), options.scale), delayMs)) {
            progress.Done();
            std::fprintf(stderr, "seastrip-render: %s\n", writer->Error().c_str());
            return 1;
        }
        progress.Update(f + 1);
    }
    progress.Done();
    if (!writer->Finish()) {
        std::fprintf(stderr, "seastrip-render: %s\n", writer->Error().c_str());
        return 1;
    }
    return 0;
}

}  // namespace seastrip
