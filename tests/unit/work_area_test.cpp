#include <gtest/gtest.h>

#include "front/common/work_area.h"

namespace seastrip {
namespace {

// Struts as docks publish them: a depth from one edge of the whole screen
// (left, right, top, bottom) over a span of it (inclusive).
template <int kEdge>
DockStrut Strut(long depth, long from, long to)
{
    long v[12] = {};
    v[kEdge] = depth;
    v[4 + 2 * kEdge] = from;
    v[5 + 2 * kEdge] = to;
    return DockStrut::FromValues(v, 12);
}
const auto Left = Strut<0>, Right = Strut<1>, Bottom = Strut<3>;

struct StrutCase {
    const char* desktop;
    ScreenRect monitor;
    int screenWidth, screenHeight;
    std::vector<DockStrut> struts;
    ScreenRect expected;
};

TEST(WorkAreaTest, EachMonitorLessTheStrutsThatReachIt)
{
    // Side by side: 1920x1080 and a shorter 1280x720 on its right,
    // top-aligned (a 3200x1080 screen). Stacked: 1920x1080 over a 1280x1024
    // (a 1920x2104 screen).
    const ScreenRect big{0, 0, 1920, 1080}, small{1920, 0, 1280, 720};
    const ScreenRect upper{0, 0, 1920, 1080}, lower{0, 1080, 1280, 1024};
    const long old[4] = {0, 0, 30, 0};
    const StrutCase cases[] = {
        {"own bottom panels, each monitor its height", big, 3200, 1080,
         {Bottom(40, 0, 1919), Bottom(1080 - 720 + 30, 1920, 3199)}, {0, 0, 1920, 1040}},
        {"own bottom panels, the shorter monitor", small, 3200, 1080,
         {Bottom(40, 0, 1919), Bottom(1080 - 720 + 30, 1920, 3199)}, {1920, 0, 1280, 690}},
        {"a left panel and a bottom panel", big, 3200, 1080, {Left(120, 0, 1079), Bottom(40, 0, 1919)},
         {120, 0, 1800, 1040}},
        {"docks on the other monitor only", small, 3200, 1080, {Left(120, 0, 1079), Bottom(40, 0, 1919)}, small},
        {"a dock on the right edge", small, 3200, 1080, {Right(64, 0, 719)}, {1920, 0, 1216, 720}},
        {"a dock on the right edge, seen from the left monitor", big, 3200, 1080, {Right(64, 0, 719)}, big},
        {"stacked, a side panel on the lower monitor", lower, 1920, 2104, {Left(48, 1080, 2103)},
         {48, 1080, 1232, 1024}},
        {"stacked, the upper monitor beside no panel", upper, 1920, 2104, {Left(48, 1080, 2103)}, upper},
        {"stacked, the lower one's bottom panel and the upper's right dock", lower, 1920, 2104,
         {Bottom(30, 0, 1279), Right(40, 0, 1079)}, {0, 1080, 1280, 994}},
        {"stacked, the upper monitor keeps its bottom", upper, 1920, 2104, {Bottom(30, 0, 1279), Right(40, 0, 1079)},
         {0, 0, 1880, 1080}},
        {"a panel over part of the bottom edge", {0, 0, 1280, 800}, 1280, 800, {Bottom(24, 400, 799)},
         {0, 0, 1280, 776}},
        {"a panel over part of another monitor's edge", small, 3200, 1080, {Bottom(24, 400, 799)}, small},
        {"the old four values cover the whole edge", big, 1920, 1080, {DockStrut::FromValues(old, 4)},
         {0, 30, 1920, 1050}},
        {"no docks", big, 1920, 1080, {}, big},
        {"a dock deeper than the monitor", big, 1920, 1080, {Bottom(2000, 0, 1919)}, {0, 0, 1920, 0}},
    };
    for (const StrutCase& c : cases) {
        EXPECT_EQ(MonitorWorkArea(c.monitor, c.screenWidth, c.screenHeight, c.struts), c.expected) << c.desktop;
    }
}

struct FreeCase {
    const char* desktop;
    ScreenRect monitor, screen;
    Reservations reservations;
    ScreenRect expected;
};

TEST(WorkAreaTest, FreeAreaOverlapsNoPublishedReservation)
{
    const ScreenRect one{0, 0, 1280, 800};
    const ScreenRect big{0, 0, 1920, 1080}, small{1920, 0, 1280, 720}, wide{0, 0, 3200, 1080};
    const FreeCase cases[] = {
        {"a toolbar nobody lists, in the work area only", one, one, {{}, ScreenRect{0, 0, 1280, 780}, {}, {}},
         {0, 0, 1280, 780}},
        {"a taskbar at the top", one, one, {{}, ScreenRect{0, 26, 1280, 774}, {}, {}}, {0, 26, 1280, 774}},
        {"a dock deeper than the work area says", one, one, {{}, ScreenRect{0, 0, 1280, 780}, {Bottom(30, 0, 1279)}, {}},
         {0, 0, 1280, 770}},
        {"two monitors: the single work area is everyone's, not this one's", big, wide,
         {{}, ScreenRect{0, 0, 3200, 690}, {Bottom(40, 0, 1919)}, {}}, {0, 0, 1920, 1040}},
        {"the per-monitor list, the entry covering most of it", small, wide,
         {{{0, 0, 1920, 1040}, {1920, 0, 1280, 690}}, std::nullopt, {}, {}}, {1920, 0, 1280, 690}},
        {"the per-monitor list and an unlisted deeper dock", big, wide,
         {{{0, 0, 1920, 1040}, {1920, 0, 1280, 690}}, std::nullopt, {Bottom(60, 0, 1919)}, {}}, {0, 0, 1920, 1020}},
        {"a stale work area elsewhere is ignored", one, one, {{{2000, 0, 100, 100}}, std::nullopt, {}, {}}, one},
        {"the strip's own row, reserved, stays its own", one, one,
         {{}, ScreenRect{0, 0, 1280, 772}, {}, ScreenRect{0, 772, 1280, 28}}, one},
        {"its own row above a panel", one, one,
         {{{0, 0, 1280, 742}}, ScreenRect{0, 0, 1280, 742}, {Bottom(30, 0, 1279)}, ScreenRect{0, 742, 1280, 28}},
         {0, 0, 1280, 770}},
        {"another's reservation where the strip once was", one, one,
         {{}, ScreenRect{0, 0, 1280, 772}, {}, ScreenRect{0, 700, 1280, 28}}, {0, 0, 1280, 772}},
    };
    for (const FreeCase& c : cases) {
        EXPECT_EQ(FreeArea(c.monitor, c.screen, c.reservations), c.expected) << c.desktop;
    }
}

}  // namespace
}  // namespace seastrip
