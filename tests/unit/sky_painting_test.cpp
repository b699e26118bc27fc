#include <vector>

#include "pictures/pictures.h"
#include "program_fixture.h"
#include "scene/sky_painting.h"

namespace seastrip::testing {
namespace {

class SkyPaintingTest : public StartedTest {
protected:
    Colour StripAt(int x, int y) { return Colour::FromPacked(P().frmBG->ReadPoint(x, y)); }
    Colour SunAt(int x, int y) { return Colour::FromPacked(P().picSUN3->ReadPoint(x, y)); }
    Colour SkyAt(int column, int row) { return pictures::Sky()->At(column, row); }
    std::vector<Colour> Sun()
    {
        std::vector<Colour> pixels;
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 11; ++j) pixels.push_back(SunAt(j, i));
        return pixels;
    }
};

TEST_F(SkyPaintingTest, StripShowsTheSceneColumnAcrossTheWholeWidthAndTheSunOnlyInTheSunset)
{
    const std::pair<int, bool> scenes[] = {{0, false},  {1, true},    {60, true},   {180, true},
                                           {344, true}, {345, false}, {346, false}, {479, false}};
    for (auto [scene, sun] : scenes) {
        PaintSky(P(), scene);
        EXPECT_EQ(P().picSUN3->Visible(), sun) << scene;
        for (int row = 0; row < 28; ++row) {
            for (int x : {0, 511, 1023}) EXPECT_EQ(StripAt(x, row), SkyAt(scene, row)) << scene << "," << row;
        }
    }
    EXPECT_EQ(P().frmBG->ReadPoint(1024, 0), kNoPixel);
}

TEST_F(SkyPaintingTest, TheSunSinksThroughTheSkyAndIsBlendedByTheMask)
{
    // Early on only the disc's lower edge shows, in row 0.
    PaintSky(P(), 5);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 11; ++j) EXPECT_EQ(SunAt(j, i) != SkyAt(5, i), i == 0 && j >= 3 && j <= 7) << j << "," << i;
    }
    // Ten pixels lower, the whole disc: solid at its core, the sky showing
    // through its edge by the mask's weights (each channel's blend floored,
    // not rounded or cut towards zero), pure sky where the weight is 255.
    PaintSky(P(), 110);
    for (int i = 2; i <= 8; ++i)
        for (int j = 4; j <= 6; ++j) EXPECT_EQ(SunAt(j, i), kSunColour);
    EXPECT_EQ(SunAt(0, 0), SkyAt(110, 0));
    EXPECT_EQ(SunAt(1, 2), (Colour{228, 172, 175})) << "weight 195";
    EXPECT_EQ(SunAt(3, 2), (Colour{243, 219, 179})) << "weight 83";
    EXPECT_EQ(SunAt(10, 6), (Colour{225, 175, 179})) << "weight 200, the mask's one uneven edge";
    EXPECT_EQ(SunAt(5, 10), (Colour{223, 182, 183})) << "weight 195, the disc's bottom row";

    // A repaint starts again from the sky rather than blending over the last sun.
    const std::vector<Colour> first = Sun();
    PaintSky(P(), 200);
    EXPECT_EQ(SunAt(5, 14), kSunColour);
    EXPECT_EQ(SunAt(5, 15), SkyAt(200, 15)) << "the disc sets behind the horizon row";
    PaintSky(P(), 110);
    EXPECT_EQ(Sun(), first);
    // Late in the sunset the disc is below the horizon: the sun is all sky.
    for (int scene : {275, 300, 344}) {
        PaintSky(P(), scene);
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 11; ++j) EXPECT_EQ(SunAt(j, i), SkyAt(scene, i)) << scene;
    }
}

}  // namespace
}  // namespace seastrip::testing
