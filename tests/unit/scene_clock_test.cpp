#include "program_fixture.h"
#include "scene/scene_clock.h"

namespace seastrip::testing {
namespace {

class SceneClockTest : public StartedTest {
protected:
    int32_t Compute()
    {
        ComputeScene(P());
        return P().SceneNow;
    }
};

TEST_F(SceneClockTest, AutoSunsetRunsThroughHourEighteenEachStepFollowsTheClockOrTheItemAndEveryHourLeavesAValidScene)
{
    platform.SetClock(At(17, 59));
    EXPECT_EQ(Compute(), 0);
    platform.SetClock(At(18, 0));
    EXPECT_EQ(Compute(), 2);
    for (int i = 1; i < 344; ++i) Compute();
    EXPECT_EQ(P().SceneNow, 345) << "the 344th computation of the sunset reaches night";
    EXPECT_EQ(Compute(), 345) << "night is not restarted within the hour";
    EXPECT_EQ(MarkedScene(), 0);

    // One computation from a given clock, marked item and scene: the scene it
    // leaves and the item marked afterwards (-1: none).
    struct Step {
        int hour, minute;
        int marked;
        int32_t before, after;
        int markedAfter;
    };
    const Step steps[] = {
        {18, 30, 0, 2, 3, 0},      // a sunset under way goes on
        {18, 30, 0, 345, 345, 0},  // night already reached in hour 18 is kept
        {5, 10, 0, 0, 0, 0},       // and so is day in hour 5: no second dawn
        {5, 10, 0, 345, 347, 0},   // a dawn starts from night
        {5, 30, 0, 200, 347, 0},   // a sunset half done gives way to the dawn
        {18, 30, 0, 400, 2, 0},    // and a dawn to the sunset
        {23, 59, 0, 0, 345, 0},    // night jumps in without a transition
        {0, 1, 0, 345, 345, 0},
        {12, 0, 3, 345, 2, 3},     // evening starts its sunset even from night
        {12, 0, 3, 344, 345, 4},   // and hands the mark to night at its end
        {12, 0, 4, 345, 345, 4},
        {12, 0, 4, 0, 345, 4},     // night and noon jump
        {12, 0, 2, 345, 0, 2},
        {12, 0, 1, 0, 347, 1},     // morning plays a dawn from day
        {12, 0, 1, 478, 479, 1},   // keeping its mark until the dawn wraps
        {12, 0, 1, 479, 0, 2},     // then hands it to noon
        {12, 0, -1, 0, 345, -1},   // no item marked counts as midnight
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.hour) + ":" + std::to_string(s.minute) + ", item " + std::to_string(s.marked) +
                     ", from " + std::to_string(s.before));
        platform.SetClock(At(s.hour, s.minute));
        MarkScene(s.marked);
        P().SceneNow = s.before;
        EXPECT_EQ(Compute(), s.after);
        EXPECT_EQ(MarkedScene(), s.markedAfter);
    }
    MarkScene(0);
    for (int32_t start : {0, 1, 200, 344, 345, 346, 400, 479}) {
        for (int hour = 0; hour < 24; ++hour) {
            platform.SetClock(At(hour, 0));
            P().SceneNow = start;
            const int32_t v = Compute();
            EXPECT_TRUE(v >= 0 && v <= 479) << hour << ":00 from " << start << " gives " << v;
        }
    }
}

}  // namespace
}  // namespace seastrip::testing
