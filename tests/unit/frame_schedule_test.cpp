// When a time-lapse takes its frames: on the exact simulated times, however
// long it runs, and never twice at one moment.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "frame_schedule.h"

namespace seastrip::testing {
namespace {

TEST(FrameScheduleTest, EveryFrameIsWithinHalfAMillisecondOfItsExactTimeAndNoneRepeats)
{
    struct Case {
        double spanSeconds, speed;
        int fps;
        long frames;
    };
    const Case cases[] = {
        {60, 1, 60, 3600},           // 16.67 ms a frame: rounding each step would add 1.2 s
        {300, 10, 10, 300},          // the default: whole seconds
        {3600, 7, 30, 15429},        // 233.33 ms
        {86400, 100000, 60, 52},     // a day in under a second
        {1, 0.06, 60, 1000},         // exactly the clock's resolution
        {1, 0.07, 60, 857},          // 1.17 ms: steps of 1 and 2 ms, on average exact
    };
    for (const Case& c : cases) {
        std::string error;
        const auto schedule = FrameSchedule::Plan(c.spanSeconds, c.speed, c.fps, error);
        ASSERT_TRUE(schedule) << error;
        EXPECT_EQ(schedule->Frames(), c.frames) << c.speed << " at " << c.fps;
        const double stepMs = c.speed * 1000.0 / c.fps;
        for (long k = 0; k < schedule->Frames(); ++k) {
            ASSERT_LE(std::abs(static_cast<double>(schedule->TimeMs(k)) - k * stepMs), 0.5)
                << c.speed << " at " << c.fps << ", frame " << k;
            if (k > 0) {
                ASSERT_GT(schedule->TimeMs(k), schedule->TimeMs(k - 1)) << "frame " << k << " repeats";
            }
        }
    }
}

TEST(FrameScheduleTest, AStepBelowTheClocksMillisecondIsRefusedWithTheNumbers)
{
    for (const auto& [speed, fps] : {std::pair{0.02, 60}, std::pair{0.05, 60}, std::pair{0.01, 11}}) {
        std::string error;
        EXPECT_FALSE(FrameSchedule::Plan(1, speed, fps, error)) << speed << " at " << fps;
        EXPECT_NE(error.find("--fps " + std::to_string(fps)), std::string::npos) << error;
        EXPECT_NE(error.find("below the clock's 1 ms"), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace seastrip::testing
