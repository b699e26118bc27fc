#include "front/common/retry_backoff.h"

#include <gtest/gtest.h>

#include <vector>

namespace seastrip {
namespace {

// Wave cycles against a sound device that is missing until cycle `back`
// and, from cycle `gone` on, missing again: the cycles let pass before each
// failed attempt after the first, and the attempts that worked.
struct Cycles {
    std::vector<int> gaps;
    std::vector<int> attemptsFromBack;
    std::vector<int> gapsAfterGone;
};

Cycles PlayCycles(int cycles, int back, int gone = 1 << 30)
{
    RetryBackoff retry;
    Cycles run;
    int passed = 0;
    bool failedBefore = false;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (!retry.Due()) {
            ++passed;
            continue;
        }
        if (cycle >= back && cycle < gone) {
            run.attemptsFromBack.push_back(cycle);
            retry.Succeeded();
            failedBefore = false;
        } else {
            if (failedBefore) (cycle >= gone ? run.gapsAfterGone : run.gaps).push_back(passed);
            retry.Failed();
            failedBefore = true;
        }
        passed = 0;
    }
    return run;
}

TEST(RetryBackoffTest, FailuresDoubleTheGapUpToItsLimitAndASuccessTriesEveryTimeAgain)
{
    const Cycles never = PlayCycles(400, 400);
    const std::vector<int> doubling{1, 2, 4, 8, 16, 32, 64, 64, 64};
    ASSERT_GE(never.gaps.size(), doubling.size());
    EXPECT_EQ(std::vector<int>(never.gaps.begin(), never.gaps.begin() + doubling.size()), doubling);

    // A device plugged in at cycle 300 is heard within one longest gap, and
    // from then on at every cycle.
    const Cycles later = PlayCycles(400, 300);
    ASSERT_FALSE(later.attemptsFromBack.empty());
    EXPECT_LE(later.attemptsFromBack.front(), 300 + RetryBackoff::kMaxSkip);
    const int first = later.attemptsFromBack.front();
    EXPECT_EQ(later.attemptsFromBack.size(), static_cast<size_t>(400 - first));

    // Only gaps as long as they get count as lasting failures.
    RetryBackoff retry;
    for (int failures = 1; failures <= 7; ++failures) {
        retry.Failed();
        EXPECT_EQ(retry.AtLimit(), failures == 7) << failures << " failures";
    }

    // A working device is asked at every cycle.
    EXPECT_EQ(PlayCycles(50, 0).attemptsFromBack.size(), 50u);
}

// A device missing for long (gaps at their longest), back for a while, then
// unplugged again: the new failures are tried soon again, their gaps
// doubling from the shortest as at the start.
TEST(RetryBackoffTest, AfterTheDeviceCameBackAndFailedAgainTheGapsStartShortAgain)
{
    const Cycles run = PlayCycles(700, 400, 500);
    ASSERT_GE(run.gaps.size(), 2u);
    EXPECT_EQ(run.gaps.back(), RetryBackoff::kMaxSkip) << "the first outage reached the longest gaps";
    ASSERT_FALSE(run.attemptsFromBack.empty());
    EXPECT_EQ(run.attemptsFromBack.back(), 499) << "heard at every cycle until it went";
    EXPECT_EQ(run.gapsAfterGone, (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 64}));
}

}  // namespace
}  // namespace seastrip
