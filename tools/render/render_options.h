#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frame_schedule.h"
#include "front/headless/headless_platform.h"

namespace seastrip {

// What seastrip-render was asked to do.
struct RenderOptions {
    int width = 1024;
    int scale = 1;  // every pixel written as a scale x scale block
    double clockSeconds = 12 * 3600.0;
    double runSeconds = 0;
    std::optional<int> scene;
    std::vector<std::string> choices;
    std::string output;

    std::string regionTable;
    std::string shapes;

    std::string timelapse;
    double fromSeconds = 18 * 3600.0;
    double toSeconds = 18 * 3600.0 + 5 * 60.0;
    int fps = 10;
    double speed = 10;

    double soakHours = 0;
    bool help = false;
};

// Parses the command line; on a mistake, fills `error` and returns nothing.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error);

// Parses "HH:MM" or "HH:MM:SS" into seconds since midnight.
std::optional<double> ParseClock(const std::string& text);

// The simulated seconds a time-lapse covers, from --from to --to, across
// midnight when --to is not later, and when its frames are taken.
double TimelapseSeconds(const RenderOptions& options);
std::optional<FrameSchedule> PlanTimelapse(const RenderOptions& options, std::string& error);

// The headless screen the options ask for.
HeadlessPlatform::Options ScreenFor(const RenderOptions& options);

extern const char* const kRenderUsage;

}  // namespace seastrip
