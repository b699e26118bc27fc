#pragma once

#include <gtest/gtest.h>

#include "front/headless/headless_run.h"
#include "platform/twips.h"
#include "stage_helpers.h"

namespace seastrip::testing {

inline double At(int hour, int minute, int second = 0) { return hour * 3600.0 + minute * 60.0 + second; }

// A headless screen of the given size in pixels, its taskbar below the work area.
inline HeadlessPlatform::Options ScreenOf(int widthPx, int heightPx = 768, int taskbarPx = 30)
{
    HeadlessPlatform::Options options;
    options.screenWidthPx = widthPx;
    options.screenHeightPx = heightPx;
    options.taskbarPx = taskbarPx;
    return options;
}

// The one marked scene item; -1 when none is marked, -1 - n when n are.
inline int MarkedScene(const Platform& platform)
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

// A freshly made program on a headless 1024-pixel screen at 15 twips per
// pixel, its clock at noon unless a test sets it before Start().
class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(HeadlessPlatform::Options options = {}) : run(options) {}

    void Start() { run.Start(); }

    Program& P() { return *run.program; }

    // Marks exactly one scene item, as the scene command leaves them (none for -1).
    void MarkScene(int index)
    {
        for (int i = 0; i < kSceneItemCount; ++i) platform.SetChecked(MenuGroup::Scene, i, i == index);
    }
    int MarkedScene() const { return testing::MarkedScene(platform); }

    static int Px(float twips) { return static_cast<int>(twips / kTwipsPerPixel + 0.5f); }

    HeadlessRun run;
    HeadlessPlatform& platform = run.platform;
};

// The same program, started before each case.
class StartedTest : public ProgramTest {
protected:
    void SetUp() override { Start(); }
};

}  // namespace seastrip::testing
