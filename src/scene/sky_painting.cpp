#include "scene/sky_painting.h"

#include <cmath>

#include "platform/twips.h"
#include "state/scene_values.h"

namespace seastrip {
namespace {

constexpr int kSkyRows = 28;
constexpr int kBlendedRows = 15;
constexpr int kSunColumns = 11;

}  // namespace

int BlendComponent(int sky, int sun, int n)
{
    return static_cast<int>(std::floor(static_cast<double>(sky - sun) * n / 255.0)) + sun;
}

void PaintSky(Program& p, int32_t scene)
{
    PaintSkyStrip(p, scene);
    PaintSunsetSun(p, scene);
}

void PaintSkyStrip(Program& p, int32_t scene)
{
    const Bitmap& sky = *p.picBG->GetPicture();
    const int width = PixelsFromTwips(p.frmBG->Width(), p.platform.TwipsPerPixelX());
    p.frmBG->StretchCopy(sky, scene, 0, 1, kSkyRows, 0, 0, width, kSkyRows);
}

void PaintSunsetSun(Program& p, int32_t scene)
{
    Element& sun = *p.picSUN3;
    if (!IsSunset(scene)) {
        if (sun.Visible()) sun.SetVisible(false);
        return;
    }
    if (!sun.Visible()) sun.SetVisible(true);

    const Bitmap& sky = *p.picBG->GetPicture();
    const int width = PixelsFromTwips(sun.Width(), p.platform.TwipsPerPixelX());
    sun.StretchCopy(sky, scene, 0, 1, kSkyRows, 0, 0, width, kSkyRows);

    // The disc sinks one pixel every 11 scene steps.
    const int k = scene / 11;
    for (int i = 0; i < kBlendedRows; ++i) {
        const Colour s = Colour::FromPacked(sun.ReadPoint(0, i));
        for (int j = 0; j < kSunColumns; ++j) {
            // Mask row m; above the mask the read gives -1, whose blue byte
            // is 255: pure sky.
            const int m = i + 26 - k;
            const int n = (p.picSUN2->ReadPoint(j, m) >> 16) & 0xFF;
            const Colour result{static_cast<uint8_t>(BlendComponent(s.r, kSunColour.r, n)),
                                static_cast<uint8_t>(BlendComponent(s.g, kSunColour.g, n)),
                                static_cast<uint8_t>(BlendComponent(s.b, kSunColour.b, n))};
            sun.SetPoint(j, i, result);
        }
    }
}

}  // namespace seastrip
