#include "shell/out_of_sight.h"

#include <algorithm>

#include "animation/wave_frames.h"
#include "scene/scene_clock.h"
#include "scene/scene_layout.h"
#include "scene/sky_painting.h"

namespace seastrip {
namespace {

constexpr int64_t kComputeIntervalMs = 2 * kTimerMainIntervalMs;
constexpr int64_t kDayMs = 24 * 3600 * 1000;
constexpr int64_t kCycleTicks = static_cast<int64_t>(kWaveCycle.size());

int16_t StepAfter(int16_t step, int64_t ticks) { return static_cast<int16_t>((step + ticks) % kCycleTicks); }

}  // namespace

void OutOfSight::Leave(Program& p, int64_t nowMs, int64_t toNextWaveTickMs)
{
    if (Active()) return;
    since_ = nowMs;
    firstWaveTickMs_ = nowMs + std::max<int64_t>(0, toNextWaveTickMs);
    waveTicksCounted_ = 0;
    waveStepAtLeave_ = p.WaveStep;
}

int64_t OutOfSight::WaveTicksDue(int64_t nowMs) const
{
    return nowMs < firstWaveTickMs_ ? 0 : (nowMs - firstWaveTickMs_) / kTimerNamiIntervalMs + 1;
}

int64_t OutOfSight::ToNextWakeMs(const Program& p, int64_t nowMs) const
{
    if (!Active() || !p.platform.IsChecked(MenuGroup::Sound, 0)) return -1;
    const int64_t toCycleStart = (kCycleTicks - StepAfter(waveStepAtLeave_, waveTicksCounted_)) % kCycleTicks;
    const int64_t tick = waveTicksCounted_ + toCycleStart;
    return std::max<int64_t>(0, firstWaveTickMs_ + tick * kTimerNamiIntervalMs - nowMs);
}

// A wakeup that comes late plays one sound for the cycles it missed, as a
// sound cuts off the one before anyway.
void OutOfSight::Wake(Program& p, int64_t nowMs)
{
    if (!Active()) return;
    const int64_t due = WaveTicksDue(nowMs);
    if (due <= waveTicksCounted_) return;
    const int64_t toCycleStart = (kCycleTicks - StepAfter(waveStepAtLeave_, waveTicksCounted_)) % kCycleTicks;
    if (waveTicksCounted_ + toCycleStart < due) PlayWaveSound(p);
    waveTicksCounted_ = due;
    p.WaveStep = StepAfter(waveStepAtLeave_, due);
}

int64_t OutOfSight::Return(Program& p, int64_t nowMs)
{
    if (!Active()) return kTimerNamiIntervalMs;
    const int64_t due = WaveTicksDue(nowMs);
    p.WaveStep = StepAfter(waveStepAtLeave_, due);
    // The frame the last missed tick would have shown.
    if (due > 0) ShowWaveFrame(p, p.WaveFrames[static_cast<size_t>(StepAfter(p.WaveStep, kCycleTicks - 1))]);

    // Each missed computation with the hour of its own moment, the last of
    // them now.
    const int64_t missed = std::min((nowMs - since_) / kComputeIntervalMs, kMostComputations);
    const int64_t todayMs = int64_t{p.platform.LocalSecondsOfDay()} * 1000;
    for (int64_t k = missed - 1; k >= 0; --k) {
        const int64_t atMs = ((todayMs - k * kComputeIntervalMs) % kDayMs + kDayMs) % kDayMs;
        ComputeScene(p, static_cast<int>(atMs / 3600000));
    }
    if (p.SceneShown != p.SceneNow) {
        LayoutScene(p, p.SceneNow);
        PaintSky(p, p.SceneNow);
        p.SceneShown = p.SceneNow;
    }
    since_ = -1;
    return firstWaveTickMs_ + due * kTimerNamiIntervalMs - nowMs;
}

}  // namespace seastrip
