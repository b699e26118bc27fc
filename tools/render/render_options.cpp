#include "render_options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace seastrip {

const char* const kRenderUsage =
    "Usage: seastrip-render [options]\n"
    "\n"
    "Runs the program headless and draws the strip.\n"
    "\n"
    "  --width PX            screen width in pixels (default 1024)\n"
    "  --clock HH:MM[:SS]    local time at the start (default 12:00)\n"
    "  --run SECONDS         let this much simulated time pass (both timers)\n"
    "  --scene N             then show scene value N (0 day, 1-344 sunset,\n"
    "                        345 night, 346-479 dawn)\n"
    "  --choose ITEM         a menu choice after the start, before the run;\n"
    "                        repeatable: auto, morning, noon, evening, night,\n"
    "                        sound-on, sound-off\n"
    "  -o OUT.png            write the strip (width x 28) as PNG\n"
    "  --scale N             enlarge what is written N times, every pixel a\n"
    "                        crisp N x N block (1-8, default 1)\n"
    "\n"
    "  --timelapse OUT       an animation (GIF, or WebP when OUT ends in .webp)\n"
    "  --from HH:MM          its start (default 18:00)\n"
    "  --to HH:MM            its end (default 18:05)\n"
    "  --fps N               frames per second of the animation (default 10)\n"
    "  --speed X             simulated seconds per animation second (default 10)\n"
    "\n"
    "  --soak HOURS          run that many simulated hours, checking the\n"
    "                        program's invariants after every tick\n"
    "  --region-table FILE   write the region table as stored (83,328 bytes)\n"
    "  --shapes FILE.png     draw every outline enlarged, labelled by number\n"
    "  --help                this text\n";

std::optional<double> ParseClock(const std::string& text)
{
    int parts[3] = {0, 0, 0};
    int count = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end && count < 3) {
        auto [next, ec] = std::from_chars(p, end, parts[count]);
        if (ec != std::errc() || next == p) return std::nullopt;
        ++count;
        p = next;
        if (p < end) {
            if (*p != ':') return std::nullopt;
            ++p;
            if (p == end) return std::nullopt;
        }
    }
    if (p != end || count < 2) return std::nullopt;
    if (parts[0] < 0 || parts[0] > 23 || parts[1] < 0 || parts[1] > 59 || parts[2] < 0 || parts[2] > 59) {
        return std::nullopt;
    }
    return parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
}

namespace {

std::optional<double> ParseNumber(const std::string& text)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    // nan passes no range check, and inf is no count of anything.
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error)
{
    RenderOptions o;
    static const char* const kChoices[] = {"auto", "morning", "noon", "evening", "night", "sound-on", "sound-off"};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return std::nullopt;
            }
            return args[++i];
        };
        auto number = [&](double lo, double hi) -> std::optional<double> {
            auto v = value();
            if (!v) return std::nullopt;
            auto n = ParseNumber(*v);
            if (!n || *n < lo || *n > hi) {
                error = a + ": '" + *v + "' is not a number from " + std::to_string(static_cast<long>(lo)) + " to " +
                        std::to_string(static_cast<long>(hi));
                return std::nullopt;
            }
            return n;
        };
        auto clock = [&]() -> std::optional<double> {
            auto v = value();
            if (!v) return std::nullopt;
            auto c = ParseClock(*v);
            if (!c) error = a + ": '" + *v + "' is not a time of day HH:MM[:SS]";
            return c;
        };

        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--width") {
            auto n = number(16, 16384);
            if (!n) return std::nullopt;
            o.width = static_cast<int>(*n);
        } else if (a == "--scale") {
            auto n = number(1, 8);
            if (!n) return std::nullopt;
            o.scale = static_cast<int>(*n);
        } else if (a == "--clock") {
            auto c = clock();
            if (!c) return std::nullopt;
            o.clockSeconds = *c;
        } else if (a == "--run") {
            auto n = number(0, 366 * 24 * 3600.0);
            if (!n) return std::nullopt;
            o.runSeconds = *n;
        } else if (a == "--scene") {
            auto n = number(0, 479);
            if (!n) return std::nullopt;
            o.scene = static_cast<int>(*n);
        } else if (a == "--choose") {
            auto v = value();
            if (!v) return std::nullopt;
            bool known = false;
            for (const char* c : kChoices) known = known || *v == c;
            if (!known) {
                error = "--choose: '" + *v + "' is none of auto, morning, noon, evening, night, sound-on, sound-off";
                return std::nullopt;
            }
            o.choices.push_back(*v);
        } else if (a == "-o" || a == "--output") {
            auto v = value();
            if (!v) return std::nullopt;
            o.output = *v;
        } else if (a == "--region-table") {
            auto v = value();
            if (!v) return std::nullopt;
            o.regionTable = *v;
        } else if (a == "--shapes") {
            auto v = value();
            if (!v) return std::nullopt;
            o.shapes = *v;
        } else if (a == "--timelapse") {
            auto v = value();
            if (!v) return std::nullopt;
            o.timelapse = *v;
        } else if (a == "--from") {
            auto c = clock();
            if (!c) return std::nullopt;
            o.fromSeconds = *c;
        } else if (a == "--to") {
            auto c = clock();
            if (!c) return std::nullopt;
            o.toSeconds = *c;
        } else if (a == "--fps") {
            auto n = number(1, 60);
            if (!n) return std::nullopt;
            o.fps = static_cast<int>(*n);
        } else if (a == "--speed") {
            auto n = number(0.01, 100000);
            if (!n) return std::nullopt;
            o.speed = *n;
        } else if (a == "--soak") {
            auto n = number(0, 24 * 365);
            if (!n) return std::nullopt;
            o.soakHours = *n;
        } else {
            error = "unknown option '" + a + "' (see --help)";
            return std::nullopt;
        }
    }
    if (!o.help && o.output.empty() && o.regionTable.empty() && o.shapes.empty() && o.timelapse.empty() &&
        o.soakHours <= 0) {
        error = "nothing to do: give -o, --timelapse, --soak, --region-table or --shapes (see --help)";
        return std::nullopt;
    }
    if (!o.timelapse.empty() && !PlanTimelapse(o, error)) return std::nullopt;
    return o;
}

double TimelapseSeconds(const RenderOptions& options)
{
    const double span = options.toSeconds - options.fromSeconds;
    return span > 0 ? span : span + 24 * 3600.0;
}

std::optional<FrameSchedule> PlanTimelapse(const RenderOptions& options, std::string& error)
{
    return FrameSchedule::Plan(TimelapseSeconds(options), options.speed, options.fps, error);
}

HeadlessPlatform::Options ScreenFor(const RenderOptions& options)
{
    HeadlessPlatform::Options screen;
    screen.screenWidthPx = options.width;
    return screen;
}

}  // namespace seastrip
