#include "animation/walker.h"

#include "regions/apply_region.h"
#include "state/scene_values.h"

namespace seastrip {
namespace {

constexpr int kWalkerTopPixels = 24;

}  // namespace

void AnimateWalker(Program& p, int32_t scene)
{
    Element& walker = p.picSUN(3);
    const float screen = p.platform.ScreenWidth();
    if (scene == kSceneDay && p.WalkerSteps == 0) {
        const int k = static_cast<int>(p.platform.Random() * 15);
        if (k < 2) {
            ApplyRegion(p, region::kWalker, walker);
            p.WalkerDirection = 1 - 2 * k;
            const int j = static_cast<int>(p.platform.Random() * 10);
            p.WalkerSteps = j + 20;
            if (!walker.Visible()) {
                walker.SetLeft(p.WalkerDirection == -1 ? screen - walker.Width() : 0.0f);
                walker.SetVisible(true);
            }
            walker.SetTop(kWalkerTopPixels * p.platform.TwipsPerPixelY());
        }
    }

    if (p.WalkerSteps != 0) {
        const float left = walker.Left() + static_cast<float>(p.WalkerDirection) * p.platform.TwipsPerPixelX();
        walker.SetLeft(left);
        const float rightmost = screen - walker.Width();
        if (walker.Left() < 0 || walker.Left() > rightmost) {
            walker.SetVisible(false);
            p.WalkerSteps = 0;
        } else {
            walker.BringToFront();
            --p.WalkerSteps;
        }
    }

    if (walker.Visible() && scene != kSceneDay) {
        walker.SetVisible(false);
        p.WalkerSteps = 0;
    }
}

}  // namespace seastrip
