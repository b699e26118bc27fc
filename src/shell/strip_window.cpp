// The strip window frmBG: its load (docking, placing and shaping every
// element, the first scene) and the presses on its own surface.
#include "shell/strip_window.h"

#include "animation/wave_frames.h"
#include "regions/apply_region.h"
#include "scene/scene_layout.h"
#include "scene/sky_painting.h"
#include "shell/menu_commands.h"
#include "shell/settings.h"
#include "shell/strip_design.h"
#include "state/rounding.h"

namespace seastrip {
namespace {

void ReadSoundSwitch(Program& p)
{
    const bool off = ReadSetting(p.platform, "Data", "Sound") == "OFF";
    p.platform.SetChecked(MenuGroup::Sound, 0, !off);
    p.platform.SetChecked(MenuGroup::Sound, 1, off);
}

void DockStrip(Program& p)
{
    Platform& platform = p.platform;
    Element& strip = *p.frmBG;
    strip.SetWidth(platform.ScreenWidth());
    strip.SetHeight(28 * platform.TwipsPerPixelY());
    strip.SetTop(static_cast<float>(ScreenBottomTwips(platform)) - strip.Height());
    strip.SetLeft(0);
}

void PlaceSunAndGlitter(Program& p)
{
    const float screen = p.platform.ScreenWidth();
    p.picSUN3->SetLeft(static_cast<float>(RoundHalfEven(screen - p.picSUN3->Width()) / 2));
    p.picSUN3->SetTop(0);
    Element& glitter = p.picSUN(1);
    glitter.SetLeft(static_cast<float>(RoundHalfEven(screen - glitter.Width()) / 2) + p.platform.TwipsPerPixelX());
    glitter.SetTop(16 * p.platform.TwipsPerPixelY());
}

// Each cloud sits at a whole tenth of the screen, clear of the sun's span.
void PlaceClouds(Program& p)
{
    const float screen = p.platform.ScreenWidth();
    for (int i = 0; i < 3; ++i) {
        Element& cloud = i == 0 ? p.picKUMO(0) : p.picKUMO.Load(p.platform, i);
        cloud.SetLeft(-1000);
        // On a screen so narrow that no tenth is clear of the sun, the search
        // would never end; after every tenth has had many chances, the cloud
        // takes the left edge and stays hidden instead.
        int attempts = 0;
        while (cloud.Left() < 0) {
            const int k = static_cast<int>(p.platform.Random() * 10);
            const float x = static_cast<float>(RoundHalfEven(static_cast<double>(k) * screen) / 10);
            const bool clearRight = p.picSUN3->Left() + p.picSUN3->Width() < x;
            const bool clearLeft = x + p.picKUMO(0).Width() < p.picSUN3->Left();
            if (clearRight || clearLeft) {
                cloud.SetLeft(x);
                ApplyRegion(p, region::kCloudFirst, cloud);
                const int m = static_cast<int>(p.platform.Random() * 5);
                cloud.SetVisible(m != 0);
            } else if (++attempts >= kCloudPlacementAttempts) {
                cloud.SetLeft(0);
                ApplyRegion(p, region::kCloudFirst, cloud);
                cloud.SetVisible(false);
            }
        }
        cloud.SetTop(0);
    }
}

void TileWaves(Program& p)
{
    const float screen = p.platform.ScreenWidth();
    for (int j = 0;; ++j) {
        Element& wave = j == 0 ? p.picNami(0) : p.picNami.Load(p.platform, j);
        SizeWaveTile(wave);
        wave.SetLeft(10 * p.platform.TwipsPerPixelX() + static_cast<float>(j) * p.picNami(0).Width());
        wave.SetTop(21 * p.platform.TwipsPerPixelY());
        wave.SetVisible(false);
        wave.BringToFront();
        if (wave.Left() > screen) break;
    }
}

void TileStars(Program& p)
{
    const float screen = p.platform.ScreenWidth();
    for (int j = 0;; ++j) {
        Element& stars = j == 0 ? p.picHoshi(0) : p.picHoshi.Load(p.platform, j);
        ApplyRegion(p, region::kStars, stars);
        SizeStarTile(stars);
        stars.SetLeft(static_cast<float>(j) * p.picHoshi(0).Width());
        stars.SetTop(0);
        stars.SetVisible(false);
        stars.BringToFront();
        if (stars.Left() > screen) break;
    }
}

}  // namespace

int32_t ScreenBottomTwips(const Platform& platform)
{
    const int32_t pixels = platform.FullScreenClientHeight() + platform.CaptionHeight();
    return RoundHalfEven(static_cast<double>(platform.TwipsPerPixelY()) * pixels);
}

void LoadStrip(Program& p)
{
    CreateStripElements(p);
    ReadSoundSwitch(p);
    p.WaveColourShown = -1;
    p.PalmShown = -1;
    p.CloudOffsetShown = -1;
    p.StarColourShown = -1;
    DockStrip(p);
    PlaceSunAndGlitter(p);
    p.picYASHI(0).SetLeft(0);
    p.picYASHI(0).SetTop(0);
    ApplyRegion(p, region::kPalm, p.picYASHI(0));
    PlaceClouds(p);
    TileWaves(p);
    TileStars(p);
    LayoutScene(p, p.SceneNow);
    PaintSky(p, p.SceneNow);
    p.frmBG->SetVisible(true);
}

void StripMouseDown(Program& p, MouseButton button)
{
    if (button == MouseButton::Right) RunMenuChoice(p, p.platform.OpenPopupMenu());
}

}  // namespace seastrip
