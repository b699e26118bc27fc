#include "animation/shooting_star.h"

#include "regions/apply_region.h"
#include "state/rounding.h"
#include "state/scene_values.h"

namespace seastrip {
namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr int kBandWidth = 16;
constexpr int kBandHeight = 4;

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

}  // namespace seastrip
