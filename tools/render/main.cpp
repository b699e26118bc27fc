// seastrip-render: the headless front. Runs the real program on the software
// stage and writes what the strip shows, or debugging views of its data.
#include <cstdio>
#include <string>
#include <vector>

#include "front/headless/headless_run.h"
#include "stage/nearest_scale.h"
#include "png_file.h"
#include "render_options.h"
#include "shapes_view.h"
#include "soak.h"
#include "timelapse.h"
#include "whole_file.h"

namespace seastrip {
namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "seastrip-render: %s\n", message.c_str());
    return 1;
}

int WriteRegionTable(const std::string& path)
{
    auto table = std::make_unique<RegionTableBlock>();
    LoadRegionTables(*table);
    WholeFile out(path);
    if (!out.Open() || !out.Write(table->data(), sizeof(RegionTableBlock)) || !out.Commit()) {
        return Fail(out.Error());
    }
    return 0;
}

int WriteShapes(const std::string& path)
{
    auto table = std::make_unique<RegionTableBlock>();
    LoadRegionTables(*table);
    std::string error;
    if (!WritePng(path, DrawShapes(*table), error)) return Fail(error);
    return 0;
}

int RenderStill(const RenderOptions& o)
{
    HeadlessRun run(ScreenFor(o), o.clockSeconds);
    for (const std::string& choice : o.choices) ApplyChoice(*run.program, choice);
    if (!run.Run(static_cast<int64_t>(o.runSeconds * 1000.0))) {
        return Fail("the program ended during the run: " + run.platform.lastMessage);
    }
    if (o.scene) ShowScene(*run.program, *o.scene);
    const Bitmap frame = ScaleNearest(run.platform.GetStage().Compose(), o.scale);
    std::string error;
    if (!WritePng(o.output, frame, error)) return Fail(error);
    if (!run.platform.soundsPlayed.empty()) {
        std::fprintf(stderr, "wave sound played %zu times (%s)\n", run.platform.soundsPlayed.size(),
                     run.platform.soundsPlayed.back().c_str());
    }
    return 0;
}

}  // namespace
}  // namespace seastrip

int main(int argc, char** argv)
{
    using namespace seastrip;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = ParseRenderOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "seastrip-render: %s\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(kRenderUsage, stdout);
        return 0;
    }
    try {
        if (!options->regionTable.empty() && WriteRegionTable(options->regionTable) != 0) return 1;
        if (!options->shapes.empty() && WriteShapes(options->shapes) != 0) return 1;
        if (!options->output.empty() && RenderStill(*options) != 0) return 1;
        if (!options->timelapse.empty() && RenderTimelapse(*options) != 0) return 1;
        if (options->soakHours > 0 && RunSoak(*options) != 0) return 1;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    return 0;
}
