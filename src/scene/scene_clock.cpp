#include "scene/scene_clock.h"

namespace seastrip {
namespace {

int ChosenHour(const Program& p, int localHour, bool& autoMarked)
{
    autoMarked = p.platform.IsChecked(MenuGroup::Scene, 0);
    for (int i = 0; i < kSceneItemCount; ++i) {
        if (p.platform.IsChecked(MenuGroup::Scene, i)) return i == 0 ? localHour : kChoiceHours[i];
    }
    return 0;  // nothing marked: the small hours
}

}  // namespace

// The clock is read only when the choice follows it.
void ComputeScene(Program& p)
{
    ComputeScene(p, p.platform.IsChecked(MenuGroup::Scene, 0) ? p.platform.LocalHour() : 0);
}

void ComputeScene(Program& p, int localHour)
{
    bool autoMarked = false;
    const int hour = ChosenHour(p, localHour, autoMarked);
    int32_t& scene = p.SceneNow;

    int32_t b;
    if (hour >= 6 && hour <= 17) {
        scene = kSceneDay;
        b = kSceneDay;
    } else if (hour == 18) {
        if (IsSunset(scene)) {
            b = scene;  // a sunset under way continues
        } else if (scene == kSceneNight && autoMarked) {
            b = kSceneNight;  // night was already reached this hour
        } else {
            scene = kSunsetFirst;
            b = kSunsetFirst;
        }
    } else if (hour == 5) {
        if (IsDawn(scene)) {
            b = scene;  // a dawn under way continues
        } else if (scene == kSceneDay && autoMarked) {
            b = kSceneDay;  // day was already reached this hour
        } else {
            scene = kDawnFirst;
            b = kDawnFirst;
        }
    } else {
        scene = kSceneNight;
        b = kSceneNight;
    }

    if (IsSunset(b)) {
        scene = b + 1;
        if (scene == kSceneNight && p.platform.IsChecked(MenuGroup::Scene, 3)) {
            p.platform.SetChecked(MenuGroup::Scene, 3, false);
            p.platform.SetChecked(MenuGroup::Scene, 4, true);
        }
    } else if (b >= kDawnFirst) {
        scene = b + 1;
        if (scene == kSceneLast + 1) {
            scene = kSceneDay;
            if (p.platform.IsChecked(MenuGroup::Scene, 1)) {
                p.platform.SetChecked(MenuGroup::Scene, 1, false);
                p.platform.SetChecked(MenuGroup::Scene, 2, true);
            }
        }
    }
}

}  // namespace seastrip
