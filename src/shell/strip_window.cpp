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
    strip.SetHeight(kStripHeightPixels * platform.TwipsPerPixelY());
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
        Element& cloud = p.picKUMO.LoadIfMissing(p.platform, i);
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

// The wave outline the tiles took on the last wave tick, or -1.
int16_t ShownWaveFrame(const Program& p)
{
    if (!p.picNami(0).Visible()) return -1;
    const size_t cycle = p.WaveFrames.size();
    return p.WaveFrames[(static_cast<size_t>(p.WaveStep) + cycle - 1) % cycle];
}

// Tiles the waves along the bottom until one lies past the screen's edge. At
// the load every tile starts hidden; on a re-layout the tiles already there
// stay as they are, new ones join the group as it stands (shown with the
// wave's outline when it is), and those past the new last one are unloaded.
void TileWaves(Program& p, bool relayout)
{
    const float screen = p.platform.ScreenWidth();
    const int16_t frame = relayout ? ShownWaveFrame(p) : -1;
    int j = 0;
    for (;; ++j) {
        const bool added = !p.picNami.Has(j);
        Element& wave = p.picNami.LoadIfMissing(p.platform, j);
        if (!relayout || added) {
            SizeWaveTile(wave);
            wave.SetLeft(10 * p.platform.TwipsPerPixelX() + static_cast<float>(j) * p.picNami(0).Width());
            wave.SetTop(21 * p.platform.TwipsPerPixelY());
            if (frame >= 0) ApplyRegion(p, frame, wave);
            wave.SetVisible(frame >= 0);
            wave.BringToFront();
        }
        if (wave.Left() > screen) break;
    }
    if (relayout) p.picNami.UnloadFrom(p.platform, j + 1);
}

// The star tiles across the sky, the same way as the waves.
void TileStars(Program& p, bool relayout)
{
    const float screen = p.platform.ScreenWidth();
    const bool shown = relayout && p.picHoshi(0).Visible();
    int j = 0;
    for (;; ++j) {
        const bool added = !p.picHoshi.Has(j);
        Element& stars = p.picHoshi.LoadIfMissing(p.platform, j);
        if (!relayout || added) {
            ApplyRegion(p, region::kStars, stars);
            SizeStarTile(stars);
            stars.SetLeft(static_cast<float>(j) * p.picHoshi(0).Width());
            stars.SetTop(0);
            stars.SetVisible(shown);
            stars.BringToFront();
        }
        if (stars.Left() > screen) break;
    }
    if (relayout) p.picHoshi.UnloadFrom(p.platform, j + 1);
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
    TileWaves(p, false);
    TileStars(p, false);
    LayoutScene(p, p.SceneNow);
    PaintSky(p, p.SceneNow);
    p.frmBG->SetVisible(true);
}

bool RelayoutStrip(Program& p)
{
    Element& strip = *p.frmBG;
    const float width = p.platform.ScreenWidth();
    const float height = kStripHeightPixels * p.platform.TwipsPerPixelY();
    const float top = static_cast<float>(ScreenBottomTwips(p.platform)) - height;
    if (strip.Width() == width && strip.Height() == height && strip.Top() == top) return false;
    const bool newWidth = strip.Width() != width;
    DockStrip(p);
    if (!newWidth) return true;
    // A new width is laid out as a fresh start would lay it out; the scene,
    // the menu's marks and the wave and animation counters carry on.
    PlaceSunAndGlitter(p);
    PlaceClouds(p);
    TileWaves(p, true);
    TileStars(p, true);
    PaintSky(p, p.SceneNow);
    return true;
}

void StripMouseDown(Program& p, MouseButton button)
{
    if (button == MouseButton::Right) RunMenuChoice(p, p.platform.OpenPopupMenu());
}

}  // namespace seastrip
