#pragma once

#include <memory>
#include <string>

#include "render_options.h"
#include "shell/program.h"
#include "stage/headless_platform.h"
#include "stage/simulation.h"

namespace seastrip {

// The real program started headless on the stage, with its simulated timers.
struct HeadlessRun {
    explicit HeadlessRun(const RenderOptions& options);

    HeadlessPlatform platform;
    std::unique_ptr<Program> program;
    Simulation simulation;
};

// Applies a menu choice by name (auto, morning, noon, evening, night,
// sound-on, sound-off) as the popup menu would.
void ApplyChoice(Program& program, const std::string& choice);

// Shows a scene value as the scene commands do: set, lay out, paint.
void ShowScene(Program& program, int scene);

}  // namespace seastrip
