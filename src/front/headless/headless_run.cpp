#include "front/headless/headless_run.h"

#include "scene/scene_layout.h"
#include "scene/sky_painting.h"
#include "shell/menu_commands.h"
#include "shell/start_program.h"

namespace seastrip {

HeadlessRun::HeadlessRun(const HeadlessPlatform::Options& options)
    : platform(options), program(std::make_unique<Program>(platform)), timers(platform, *program)
{
}

HeadlessRun::HeadlessRun(const HeadlessPlatform::Options& options, double clockSeconds) : HeadlessRun(options)
{
    platform.SetClock(clockSeconds);
    Start();
}

void HeadlessRun::Start() { StartProgram(*program); }

void ApplyChoice(Program& program, const std::string& choice)
{
    static const char* const kScenes[] = {"auto", "morning", "noon", "evening", "night"};
    for (int i = 0; i < kSceneItemCount; ++i) {
        if (choice == kScenes[i]) return RunMenuChoice(program, {MenuCommand::Scene, i});
    }
    if (choice == "sound-on") return RunMenuChoice(program, {MenuCommand::Sound, 0});
    if (choice == "sound-off") return RunMenuChoice(program, {MenuCommand::Sound, 1});
}

void ShowScene(Program& program, int scene)
{
    program.SceneNow = scene;
    LayoutScene(program, scene);
    PaintSky(program, scene);
}

}  // namespace seastrip
