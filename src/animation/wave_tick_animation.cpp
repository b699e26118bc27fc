#include "animation/wave_tick_animation.h"

#include "regions/apply_region.h"
#include "scene/scene_clock.h"
#include "shell/rounding.h"

namespace seastrip {
namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr int kBandWidth = 16;
constexpr int kBandHeight = 4;
constexpr int kWalkerTopPixels = 24;

// A band is a filled box 16 x 4 pixels whose top moves 2 pixels per tick.
void DrawBand(Element& star, int step, Colour colour)
{
    star.FillBox(0, step * 2, kBandWidth, kBandHeight, colour);
}

}  // namespace

void AnimateShootingStar(Program& p, int32_t scene)
{
    Element& star = p.picSUN(2);
    if (scene == kSceneNight && p.StarStep == 0) {
        const int k = static_cast<int>(p.platform.Random() * 90);
        if (k < 3) {
            ApplyRegion(p, region::kStreakFirst + k, star);
            const int m = static_cast<int>(p.platform.Random() * 10);
            star.SetLeft(static_cast<float>(RoundHalfEven(static_cast<double>(m) * p.platform.ScreenWidth()) / 10));
            star.SetTop(0);
            star.SetVisible(true);
            p.StarStep = 1;
        }
    }

    if (p.StarStep <= 0) return;
    if (p.StarStep <= 9) {
        DrawBand(star, p.StarStep - 2, kBlack);
        DrawBand(star, p.StarStep - 1, kWhite);
        ++p.StarStep;
        return;
    }
    DrawBand(star, p.StarStep - 2, kBlack);
    p.StarStep = 0;
    star.SetVisible(false);
}

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
