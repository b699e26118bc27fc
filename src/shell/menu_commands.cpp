#include "shell/menu_commands.h"

#include "scene/scene_clock.h"
#include "scene/scene_layout.h"
#include "scene/sky_painting.h"
#include "shell/settings.h"

namespace seastrip {

void SceneItemChosen(Program& p, int index)
{
    for (int i = 0; i < kSceneItemCount; ++i) p.platform.SetChecked(MenuGroup::Scene, i, false);
    p.platform.SetChecked(MenuGroup::Scene, index, true);
    // Shown at once; the timer repeats the layout and painting on its next
    // ticks when the value changed, which leaves the same picture.
    ComputeScene(p);
    LayoutScene(p, p.SceneNow);
    PaintSky(p, p.SceneNow);
}

void SoundItemChosen(Program& p, int index)
{
    for (int i = 0; i < kSoundItemCount; ++i) p.platform.SetChecked(MenuGroup::Sound, i, false);
    p.platform.SetChecked(MenuGroup::Sound, index, true);
    WriteSetting(p.platform, "Data", "Sound", index == 0 ? "ON" : "OFF");
}

void VersionChosen(Program& p) { p.platform.ShowVersionDialog(); }

void ExitChosen(Program& p) { p.platform.ExitProgram(); }

void RunMenuChoice(Program& p, MenuChoice choice)
{
    switch (choice.command) {
    case MenuCommand::Scene:
        if (choice.index >= 0 && choice.index < kSceneItemCount) SceneItemChosen(p, choice.index);
        break;
    case MenuCommand::Sound:
        if (choice.index >= 0 && choice.index < kSoundItemCount) SoundItemChosen(p, choice.index);
        break;
    case MenuCommand::Version:
        VersionChosen(p);
        break;
    case MenuCommand::Exit:
        ExitChosen(p);
        break;
    case MenuCommand::None:
        break;
    }
}

}  // namespace seastrip
