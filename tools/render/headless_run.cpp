#include "headless_run.h"

#include "scene/scene_layout.h"
#include "scene/sky_painting.h"
#include "shell/menu_commands.h"
#include "shell/start_program.h"

namespace seastrip {
namespace {

HeadlessPlatform::Options PlatformOptions(const RenderOptions& o)
{
    HeadlessPlatform::Options p;
    p.screenWidthPx = o.width;
    return p;
}

}  // namespace

HeadlessRun::HeadlessRun(const RenderOptions& options)
    : platform(PlatformOptions(options)), program(std::make_unique<Program>(platform)),
      simulation(platform, *program)
{
    platform.SetClock(options.clockSeconds);
    StartProgram(*program);
}

void ApplyChoice(Program& program, const std::string& choice)
{
    static const char* const kScenes[] = {"auto", "morning", "noon", "evening", "night"};
    for (int i = 0; i < 5; ++i) {
        if (choice == kScenes[i]) return SceneItemChosen(program, i);
    }
    if (choice == "sound-on") return SoundItemChosen(program, 0);
    if (choice == "sound-off") return SoundItemChosen(program, 1);
}

void ShowScene(Program& program, int scene)
{
    program.SceneNow = scene;
    LayoutScene(program, scene);
    PaintSky(program, scene);
}

}  // namespace seastrip
