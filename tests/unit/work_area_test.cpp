#include <gtest/gtest.h>

#include "front/common/work_area.h"

namespace seastrip {
namespace {

// A bottom panel reserving `height` from the screen's bottom across [x0, x1].
DockStrut BottomPanel(long height, long x0, long x1)
{
    const long v[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, x0, x1};
    return DockStrut::FromValues(v, 12);
}

TEST(WorkAreaTest, EachMonitorKeepsItsOwnBottomEdgeAndSideDocksAreClear)
{
    // Two monitors side by side, 1920x1080 and a shorter 1280x720 on the
    // right, top-aligned: the screen is 3200x1080.
    const ScreenRect big{0, 0, 1920, 1080};
    const ScreenRect small{1920, 0, 1280, 720};
    const std::vector<DockStrut> docks = {
        BottomPanel(40, 0, 1919),           // the big monitor's panel
        BottomPanel(1080 - 720 + 30, 1920, 3199),  // the small one's, 30 px above its bottom
    };
    EXPECT_EQ(MonitorWorkArea(big, 3200, 1080, docks), (ScreenRect{0, 0, 1920, 1040}));
    EXPECT_EQ(MonitorWorkArea(small, 3200, 1080, docks), (ScreenRect{1920, 0, 1280, 690}));

    // A left vertical panel 120 px wide: the free area starts after it.
    const long left[12] = {120, 0, 0, 0, 0, 1079, 0, 0, 0, 0, 0, 0};
    const std::vector<DockStrut> withLeft = {DockStrut::FromValues(left, 12), BottomPanel(40, 0, 1919)};
    EXPECT_EQ(MonitorWorkArea(big, 3200, 1080, withLeft), (ScreenRect{120, 0, 1800, 1040}));
    EXPECT_EQ(MonitorWorkArea(small, 3200, 1080, withLeft), small) << "neither dock reaches it";

    // The old four-value strut covers its whole edge; a top panel moves the
    // top only; no docks leave the monitor whole.
    const long old[4] = {0, 0, 30, 0};
    EXPECT_EQ(MonitorWorkArea(big, 1920, 1080, {DockStrut::FromValues(old, 4)}), (ScreenRect{0, 30, 1920, 1050}));
    EXPECT_EQ(MonitorWorkArea(big, 1920, 1080, {}), big);
    EXPECT_EQ(MonitorWorkArea(big, 1920, 1080, {BottomPanel(2000, 0, 1919)}).height, 0);
}

}  // namespace
}  // namespace seastrip
