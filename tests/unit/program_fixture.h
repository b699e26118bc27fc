#pragma once

#include <gtest/gtest.h>

#include "front/headless/headless_run.h"
#include "platform/twips.h"

namespace seastrip::testing {

// A freshly started program on a headless 1024-pixel screen at 15 twips per
// pixel, its clock at noon unless a test sets it before Start().
class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(HeadlessPlatform::Options options = {}) : run(options) {}

    void Start() { run.Start(); }

    Program& P() { return *run.program; }

    static double At(int hour, int minute, int second = 0) { return hour * 3600.0 + minute * 60.0 + second; }

    // Marks exactly one scene item, as the scene command leaves them (none for -1).
    void MarkScene(int index)
    {
        for (int i = 0; i < kSceneItemCount; ++i) platform.SetChecked(MenuGroup::Scene, i, i == index);
    }

    // The one marked scene item; -1 when none is marked, -1 - n when n are.
    int MarkedScene() const
    {
        int marked = -1, count = 0;
        for (int i = 0; i < kSceneItemCount; ++i) {
            if (platform.IsChecked(MenuGroup::Scene, i)) {
                marked = i;
                ++count;
            }
        }
        return count == 1 ? marked : -1 - count;
    }

    static int Px(float twips) { return static_cast<int>(twips / kTwipsPerPixel + 0.5f); }

    HeadlessRun run;
    HeadlessPlatform& platform = run.platform;
};

}  // namespace seastrip::testing
