#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/platform.h"
#include "platform/region_data.h"
#include "state/element_array.h"

namespace seastrip {

// The program's whole shared state: every global the routines share, with its
// start value, and the elements of the strip. A test makes a fresh program
// with one line: `auto program = std::make_unique<Program>(platform);`.
struct Program {
    explicit Program(Platform& p) : platform(p) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Platform& platform;

    int32_t SceneNow = 0;
    int32_t SceneShown = 0;
    int16_t MainPhase = 0;
    int16_t WaveStep = 0;
    std::array<int16_t, 60> WaveFrames{};
    RegionTableBlock RegionTable{};

    int32_t WaveColourShown = 0;
    int32_t PalmShown = 0;
    int32_t CloudOffsetShown = 0;
    int32_t StarColourShown = 0;
    int32_t GlitterStep = 0;
    int32_t CloudFrame = 0;
    int32_t StarStep = 0;
    int32_t WalkerDirection = 0;
    int32_t WalkerSteps = 0;

    // The strip window frmBG and its elements, by what they show:
    //   picBG      the sky picture, one column per scene value; never shown
    //   picSUN3    the setting sun, painted from the sky and the sun mask
    //   picSUN2    the sun mask the setting sun is cut from; never shown
    //   picHoshi   the star tiles along the top of the night sky
    //   picKUMOp0  the cloud colour strip the clouds take their look from
    //   picKUMO    the three clouds
    //   picYASHI   the palm (0) and its two looks (1, 2), the looks never shown
    //   picNami    the wave tiles along the shore
    //   picSUN     1 the sun glitter on the sea, 2 the shooting star,
    //              3 the walker on the beach
    Element* frmBG = nullptr;
    Element* picBG = nullptr;
    Element* picSUN3 = nullptr;
    Element* picSUN2 = nullptr;
    Element* picKUMOp0 = nullptr;
    ElementArray picHoshi;
    ElementArray picKUMO;
    ElementArray picYASHI;
    ElementArray picNami;
    ElementArray picSUN;
};

}  // namespace seastrip
