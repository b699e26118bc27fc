#include "animation/cloud_animation.h"

#include <cmath>

#include "regions/apply_region.h"
#include "state/rounding.h"

namespace seastrip {

void AnimateClouds(Program& p, int32_t /*scene*/)
{
    for (int i = 0; i < 3; ++i) ApplyRegion(p, region::kCloudFirst + p.CloudFrame, p.picKUMO(i));

    ++p.CloudFrame;
    if (p.CloudFrame % 3 != 0) return;
    p.CloudFrame = 0;

    for (int i = 0; i < 3; ++i) {
        Element& cloud = p.picKUMO(i);
        // -2, -1, 0 or +1 pixels: the clouds lean to the left.
        const double offset = std::floor(4 * p.platform.Random() - 2);
        const float dx = static_cast<float>(RoundHalfEven(offset * p.platform.TwipsPerPixelX()));
        const float sunLeft = p.picSUN3->Left();
        const float sunWidth = p.picSUN3->Width();
        const float cloudWidth = cloud.Width();
        const float cloudLeft = cloud.Left();
        // Sums in single precision; touching the sun's edge counts as overlap.
        const float sunRight = sunLeft + sunWidth;
        const float movedLeft = cloudLeft + dx;
        const float movedRight = cloudLeft + cloudWidth + dx;
        if (sunRight < movedLeft || movedRight < sunLeft) cloud.SetLeft(movedLeft);
    }
}

}  // namespace seastrip
