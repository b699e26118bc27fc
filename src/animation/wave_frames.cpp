#include "animation/wave_frames.h"

#include "regions/apply_region.h"

namespace seastrip {

void ShowWaveFrame(Program& p, int16_t frame)
{
    ElementArray& waves = p.picNami;
    // The first tile stands for the whole group.
    if (frame == -1) {
        if (waves(0).Visible()) {
            for (int i = 0; i < waves.Count(); ++i) waves(i).SetVisible(false);
        }
        return;
    }
    if (!waves(0).Visible()) {
        for (int i = 0; i < waves.Count(); ++i) {
            waves(i).SetVisible(true);
            waves(i).BringToFront();
        }
    }
    for (int i = 0; i < waves.Count(); ++i) ApplyRegion(p, frame, waves(i));
}

}  // namespace seastrip
