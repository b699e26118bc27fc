#include "scene/scene_layout.h"

#include <cmath>

#include "regions/apply_region.h"
#include "state/rounding.h"
#include "state/scene_values.h"

namespace seastrip {
namespace {

constexpr int kCloudFrameWidth = 32;
constexpr int kCloudFrameHeight = 20;

void SetFamilyFill(ElementArray& family, Colour colour)
{
    for (int i = 0; i < family.Count(); ++i) family(i).SetFillColour(colour);
}

void SetFamilyVisible(ElementArray& family, bool visible)
{
    for (int i = 0; i < family.Count(); ++i) family(i).SetVisible(visible);
}

}  // namespace

Colour WaveColourFor(int32_t scene)
{
    if (scene <= 89) return {255, 255, 255};
    if (scene <= 149) return {200, 200, 200};
    if (scene <= 209) return {255, 80, 80};
    if (scene <= kSceneNight) return {168, 168, 168};
    if (scene <= 419) return {200, 200, 200};
    return {255, 255, 255};
}

int StarLevelFor(int32_t scene)
{
    if (scene < 275 || scene > 435) return -1;
    if (scene <= kSunsetLast) return ((scene - 275) / 10 + 8) * 17;
    if (scene == kSceneNight) return 255;
    return (15 - (scene - kDawnFirst) / 10) * 17;
}

int CloudFrameFor(int32_t scene)
{
    if (scene <= 63) return 0;
    if (scene <= 319) return (scene - 64) / 8;
    if (scene <= 369) return 32;
    if (scene <= 449) return 33 + (scene - 370) / 5;
    return 0;
}

int PalmSourceFor(int32_t scene) { return (scene <= 75 || scene >= 420) ? 1 : 2; }

void ColourWaves(Program& p, int32_t scene)
{
    const Colour colour = WaveColourFor(scene);
    if (colour.Packed() == p.WaveColourShown) return;
    SetFamilyFill(p.picNami, colour);
    p.WaveColourShown = colour.Packed();
}

void ShowStars(Program& p, int32_t scene)
{
    const int level = StarLevelFor(scene);
    if (level < 0) {
        if (p.picHoshi(0).Visible()) SetFamilyVisible(p.picHoshi, false);
        return;
    }
    if (!p.picHoshi(0).Visible()) SetFamilyVisible(p.picHoshi, true);
    const uint8_t c = static_cast<uint8_t>(level);
    const Colour colour{c, c, c};
    if (colour.Packed() == p.StarColourShown) return;
    SetFamilyFill(p.picHoshi, colour);
    p.StarColourShown = colour.Packed();
}

void ColourClouds(Program& p, int32_t scene)
{
    const int frame = CloudFrameFor(scene);
    // The offset is kept in twips, as the strip measures it.
    const int32_t offset =
        RoundHalfEven(static_cast<double>(kCloudFrameWidth) * frame * p.platform.TwipsPerPixelX());
    if (offset == p.CloudOffsetShown) return;
    const Bitmap& strip = *p.picKUMOp0->GetPicture();
    for (int d = 0; d < 3; ++d) {
        Element& cloud = p.picKUMO(d);
        cloud.StretchCopy(strip, kCloudFrameWidth * frame, 0, kCloudFrameWidth, kCloudFrameHeight, 0, 0,
                          kCloudFrameWidth, kCloudFrameHeight);
        p.CloudOffsetShown = offset;
        cloud.BringToFront();
    }
}

void ChoosePalmPicture(Program& p, int32_t scene)
{
    const int source = PalmSourceFor(scene);
    if (source != p.PalmShown) {
        p.picYASHI(0).TakePictureOf(p.picYASHI(source));
        p.PalmShown = source;
    }
    p.picYASHI(0).BringToFront();
}

void ShowSunGlitter(Program& p, int32_t scene)
{
    Element& glitter = p.picSUN(1);
    if (scene > 0 && scene < 250) {
        if (!glitter.Visible()) glitter.SetVisible(true);
        ApplyRegion(p, region::kGlitterFirst + p.GlitterStep, glitter);
    } else if (glitter.Visible()) {
        glitter.SetVisible(false);
    }
    if (scene > 0) {
        ++p.GlitterStep;
        if (p.GlitterStep % 3 == 0) p.GlitterStep = 0;
    }
}

void LayoutScene(Program& p, int32_t scene)
{
    ColourWaves(p, scene);
    ShowStars(p, scene);
    ColourClouds(p, scene);
    ChoosePalmPicture(p, scene);
    ShowSunGlitter(p, scene);
}

}  // namespace seastrip
