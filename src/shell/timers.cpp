#include "shell/timers.h"

#include "animation/cloud_animation.h"
#include "animation/wave_frames.h"
#include "animation/shooting_star.h"
#include "animation/walker.h"
#include "scene/scene_clock.h"
#include "scene/scene_layout.h"
#include "scene/sky_painting.h"

namespace seastrip {

// A change of scene takes two ticks: the compute half lays the elements out,
// the paint half repaints the sky and only then records the scene as shown.
void TimerMainTick(Program& p)
{
    if (p.MainPhase == 0) {
        ComputeScene(p);
        if (p.SceneShown != p.SceneNow) LayoutScene(p, p.SceneNow);
        AnimateClouds(p, p.SceneNow);
        p.MainPhase = 1;
    } else {
        if (p.SceneShown != p.SceneNow) PaintSky(p, p.SceneNow);
        p.MainPhase = 0;
        p.SceneShown = p.SceneNow;
    }
}

void TimerNamiTick(Program& p)
{
    ShowWaveFrame(p, p.WaveFrames[static_cast<size_t>(p.WaveStep)]);
    if (p.WaveStep == 0) PlayWaveSound(p);
    p.WaveStep = static_cast<int16_t>(p.WaveStep + 1);
    if (p.WaveStep > static_cast<int16_t>(p.WaveFrames.size() - 1)) p.WaveStep = 0;
    AnimateShootingStar(p, p.SceneNow);
    AnimateWalker(p, p.SceneNow);
}

void PlayWaveSound(Program& p)
{
    if (!p.platform.IsChecked(MenuGroup::Sound, 0)) return;
    std::string path = p.platform.DataFolder();
    if (path.empty() || path.back() != p.platform.PathSeparator()) path += p.platform.PathSeparator();
    p.platform.PlaySoundAsync(path + "zem.wav");
}

}  // namespace seastrip
