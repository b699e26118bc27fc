#include <cmath>

#include "pictures/pictures.h"
#include "program_fixture.h"
#include "scene/sky_painting.h"

namespace seastrip::testing {
namespace {

// The mask's weight for a column and mask row; above the mask is pure sky.
int Weight(int column, int maskRow)
{
    if (maskRow < 0) return 255;
    return pictures::SunMask()->At(column, maskRow).b;
}

// An independent blend: sun + floor((sky - sun) * n / 255) by integers.
int Expected(int sky, int sun, int n)
{
    const int num = (sky - sun) * n;
    const int q = num >= 0 ? num / 255 : -((-num + 254) / 255);
    return sun + q;
}

class SkyPaintingTest : public ProgramTest {
protected:
    void SetUp() override { Start(); }
    Colour StripAt(int x, int y) { return Colour::FromPacked(P().frmBG->ReadPoint(x, y)); }
    Colour SunAt(int x, int y) { return Colour::FromPacked(P().picSUN3->ReadPoint(x, y)); }
    Colour SkyAt(int column, int row) { return pictures::Sky()->At(column, row); }
};

TEST_F(SkyPaintingTest, StripShowsTheSceneColumnAcrossTheWholeWidth)
{
    for (int scene : {0, 60, 180, 345, 479}) {
        PaintSky(P(), scene);
        for (int row = 0; row < 28; ++row) {
            for (int x : {0, 511, 1023}) EXPECT_EQ(StripAt(x, row), SkyAt(scene, row)) << scene << "," << row;
        }
    }
    PaintSky(P(), 0);
    EXPECT_EQ(StripAt(3, 0), (Colour{0, 0, 255}));
    EXPECT_EQ(StripAt(3, 27), (Colour{255, 255, 147}));
    EXPECT_EQ(P().frmBG->ReadPoint(1024, 0), kNoPixel);
}

TEST_F(SkyPaintingTest, SunIsShownOnlyDuringTheSunset)
{
    for (int scene : {0, 345, 346, 479}) {
        PaintSky(P(), scene);
        EXPECT_FALSE(P().picSUN3->Visible()) << scene;
    }
    for (int scene : {1, 200, 344}) {
        PaintSky(P(), scene);
        EXPECT_TRUE(P().picSUN3->Visible()) << scene;
    }
}

TEST_F(SkyPaintingTest, BlendMatchesAnIndependentComputation)
{
    for (int scene : {1, 110, 164, 275}) {
        PaintSky(P(), scene);
        const int k = scene / 11;
        for (int i = 0; i < 16; ++i) {
            const Colour sky = SkyAt(scene, i);
            for (int j = 0; j < 11; ++j) {
                const int n = i == 15 ? 255 : Weight(j, i + 26 - k);
                const Colour want{static_cast<uint8_t>(Expected(sky.r, 255, n)),
                                  static_cast<uint8_t>(Expected(sky.g, 255, n)),
                                  static_cast<uint8_t>(Expected(sky.b, 182, n))};
                ASSERT_EQ(SunAt(j, i), want) << "scene " << scene << " at " << j << "," << i;
            }
        }
    }
}

TEST_F(SkyPaintingTest, EarlySunsetShowsOnlyTheDiscsLowerEdgeInRowZero)
{
    PaintSky(P(), 5);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 11; ++j) {
            const bool differs = !(SunAt(j, i) == SkyAt(5, i));
            EXPECT_EQ(differs, i == 0 && j >= 3 && j <= 7) << j << "," << i;
        }
    }
}

TEST_F(SkyPaintingTest, WholeDiscAtSceneOneHundredTenIsSunColouredWhereSolid)
{
    PaintSky(P(), 110);
    for (int i = 2; i <= 8; ++i)
        for (int j = 4; j <= 6; ++j) EXPECT_EQ(SunAt(j, i), kSunColour);
    EXPECT_EQ(SunAt(0, 0), SkyAt(110, 0)) << "weight 255 is pure sky";
}

TEST_F(SkyPaintingTest, LateSunsetSunEqualsTheSkyAndRepaintsAreIdentical)
{
    for (int scene : {275, 300, 344}) {
        PaintSky(P(), scene);
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 11; ++j) EXPECT_EQ(SunAt(j, i), SkyAt(scene, i));
    }
    PaintSky(P(), 120);
    std::vector<int32_t> first;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 11; ++j) first.push_back(P().picSUN3->ReadPoint(j, i));
    PaintSky(P(), 120);
    size_t n = 0;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 11; ++j) EXPECT_EQ(P().picSUN3->ReadPoint(j, i), first[n++]);
}

TEST(BlendComponentTest, FloorsTowardsMinusInfinity)
{
    EXPECT_EQ(BlendComponent(0, 255, 195), std::floor(-255.0 * 195 / 255) + 255);
    EXPECT_EQ(BlendComponent(0, 182, 124), 182 + static_cast<int>(std::floor(-182.0 * 124 / 255)));
    EXPECT_EQ(BlendComponent(100, 255, 0), 255);
    EXPECT_EQ(BlendComponent(100, 255, 255), 100);
}

}  // namespace
}  // namespace seastrip::testing
