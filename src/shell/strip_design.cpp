#include "shell/strip_design.h"

#include "pictures/pictures.h"

namespace seastrip {
namespace {

// The colour elements get when the design gives none.
constexpr Colour kDefaultFill{240, 240, 240};
constexpr Colour kPaleYellow{255, 255, 128};

Element& Make(Program& program, const ElementDesign& design) { return program.platform.CreateElement(design); }

}  // namespace

void CreateStripElements(Program& program)
{
    Program& p = program;
    p.frmBG = &p.platform.Strip();
    // Everything not placed by the load lies below the 28-pixel strip, so the
    // picture holders are never seen.
    p.picBG = &Make(p, {.name = "picBG",
                        .left = 840, .top = 1200, .width = 7200, .height = 420,
                        .fill = kDefaultFill, .picture = pictures::Sky(), .visible = false});
    p.picSUN3 = &Make(p, {.name = "picSUN3",
                          .left = 600, .top = 240, .width = 165, .height = 240,
                          .fill = kPaleYellow, .persistentImage = true, .visible = false});
    p.picSUN2 = &Make(p, {.name = "picSUN2",
                          .left = 585, .top = 765, .width = 165, .height = 645,
                          .fill = kPaleYellow, .picture = pictures::SunMask(), .persistentImage = true,
                          .visible = false});
    p.picHoshi.Add(0, Make(p, {.name = "picHoshi",
                               .left = 120, .top = 840, .width = 255, .height = 255,
                               .fill = kPaleYellow, .persistentImage = true}));
    p.picKUMOp0 = &Make(p, {.name = "picKUMOp0",
                            .left = 105, .top = 3300, .width = 3750, .height = 240,
                            .fill = kPaleYellow, .picture = pictures::CloudStrip(), .persistentImage = true});
    p.picKUMO.Add(0, Make(p, {.name = "picKUMO",
                              .left = 120, .top = 1680, .width = 480, .height = 375,
                              .fill = kDefaultFill, .picture = pictures::Cloud(), .persistentImage = true}));
    p.picYASHI.Add(0, Make(p, {.name = "picYASHI",
                               .left = 120, .top = 2160, .width = 570, .height = 405,
                               .fill = Colour{0, 0, 0}}));
    p.picYASHI.Add(1, Make(p, {.name = "picYASHI", .index = 1,
                               .left = 840, .top = 2160, .width = 570, .height = 405,
                               .fill = kDefaultFill, .picture = pictures::Palm(), .visible = false}));
    p.picYASHI.Add(2, Make(p, {.name = "picYASHI", .index = 2,
                               .left = 1440, .top = 2160, .width = 570, .height = 405,
                               .fill = Colour{0, 0, 0}, .visible = false}));
    p.picNami.Add(0, Make(p, {.name = "picNami",
                              .left = 120, .top = 1200, .width = 495, .height = 375,
                              .fill = Colour{192, 192, 255}, .persistentImage = true}));
    p.picSUN.Add(1, Make(p, {.name = "picSUN", .index = 1,
                             .left = 840, .top = 2640, .width = 165, .height = 120,
                             .fill = Colour{255, 255, 182}, .visible = false}));
    p.picSUN.Add(2, Make(p, {.name = "picSUN", .index = 2,
                             .left = 1200, .top = 2640, .width = 240, .height = 240,
                             .fill = Colour{0, 0, 0}, .persistentImage = true, .visible = false}));
    p.picSUN.Add(3, Make(p, {.name = "picSUN", .index = 3,
                             .left = 1560, .top = 2640, .width = 90, .height = 75,
                             .fill = Colour{255, 0, 0}, .persistentImage = true, .visible = false}));
}

}  // namespace seastrip
