#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace seastrip {

// When each frame of a time-lapse is taken, in the simulated clock's whole
// milliseconds since its start. Each frame's time is worked out from its
// number, so a step such as 16.67 ms never adds up a rounding error: frame k
// is k steps in, to the nearest millisecond.
class FrameSchedule {
public:
    // The clock counts whole milliseconds: a shorter step would show the
    // same moment twice.
    static constexpr double kResolutionMs = 1.0;

    // A time-lapse over `spanSeconds` of simulated time, `speed` simulated
    // seconds per second of animation at `fps` frames per second. Nothing,
    // with `error` filled, when a frame step is below the clock's resolution.
    static std::optional<FrameSchedule> Plan(double spanSeconds, double speed, int fps, std::string& error)
    {
        const double stepMs = speed * 1000.0 / fps;
        // A step that is one millisecond but for the last bits of a double
        // (0.06 s at 60 fps) counts as one.
        if (!(stepMs >= kResolutionMs - 1e-9)) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "--speed %g at --fps %d is a frame step of %.3g ms, below the clock's 1 ms: "
                          "give a higher --speed or a lower --fps",
                          speed, fps, stepMs);
            error = text;
            return std::nullopt;
        }
        const long frames = std::max(1L, static_cast<long>(std::lround(spanSeconds * 1000.0 / stepMs)));
        return FrameSchedule(stepMs, frames);
    }

    long Frames() const { return frames_; }
    int64_t TimeMs(long frame) const { return std::llround(static_cast<double>(frame) * stepMs_); }

private:
    FrameSchedule(double stepMs, long frames) : stepMs_(stepMs), frames_(frames) {}

    double stepMs_;
    long frames_;
};

}  // namespace seastrip
