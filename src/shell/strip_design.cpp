#include "shell/strip_design.h"

#include "pictures/pictures.h"

namespace seastrip {
namespace {

// The colour elements get when the design gives none.
constexpr Colour kDefaultFill{240, 240, 240};
constexpr Colour kPaleYellow{255, 255, 128};

Element& Make(Program& program, const char* name, int index, float left, float top, float width, float height,
              Colour fill, Picture picture, bool persistent, bool visible)
{
    ElementDesign d;
    d.name = name;
    d.index = index;
    d.left = left;
    d.top = top;
    d.width = width;
    d.height = height;
    d.fill = fill;
    d.picture = std::move(picture);
    d.persistentImage = persistent;
    d.visible = visible;
    return program.platform.CreateElement(d);
}

}  // namespace

void CreateStripElements(Program& program)
{
    Program& p = program;
    p.frmBG = &p.platform.Strip();
    // Everything not placed by the load lies below the 28-pixel strip, so the
    // picture holders are never seen.
    p.picBG = &Make(p, "picBG", 0, 840, 1200, 7200, 420, kDefaultFill, pictures::Sky(), false, false);
    p.picSUN3 = &Make(p, "picSUN3", 0, 600, 240, 165, 240, kPaleYellow, nullptr, true, false);
    p.picSUN2 = &Make(p, "picSUN2", 0, 585, 765, 165, 645, kPaleYellow, pictures::SunMask(), true, false);
    p.picHoshi.Add(0, Make(p, "picHoshi", 0, 120, 840, 255, 255, kPaleYellow, nullptr, true, true));
    p.picKUMOp0 = &Make(p, "picKUMOp0", 0, 105, 3300, 3750, 240, kPaleYellow, pictures::CloudStrip(), true, true);
    p.picKUMO.Add(0, Make(p, "picKUMO", 0, 120, 1680, 480, 375, kDefaultFill, pictures::Cloud(), true, true));
    p.picYASHI.Add(0, Make(p, "picYASHI", 0, 120, 2160, 570, 405, Colour{0, 0, 0}, nullptr, false, true));
    p.picYASHI.Add(1, Make(p, "picYASHI", 1, 840, 2160, 570, 405, kDefaultFill, pictures::Palm(), false, false));
    p.picYASHI.Add(2, Make(p, "picYASHI", 2, 1440, 2160, 570, 405, Colour{0, 0, 0}, nullptr, false, false));
    p.picNami.Add(0, Make(p, "picNami", 0, 120, 1200, 495, 375, Colour{192, 192, 255}, nullptr, true, true));
    p.picSUN.Add(1, Make(p, "picSUN", 1, 840, 2640, 165, 120, Colour{255, 255, 182}, nullptr, false, false));
    p.picSUN.Add(2, Make(p, "picSUN", 2, 1200, 2640, 240, 240, Colour{0, 0, 0}, nullptr, true, false));
    p.picSUN.Add(3, Make(p, "picSUN", 3, 1560, 2640, 90, 75, Colour{255, 0, 0}, nullptr, true, false));
}

}  // namespace seastrip
