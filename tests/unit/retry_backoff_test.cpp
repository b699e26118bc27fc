#include "front/common/retry_backoff.h"

#include <gtest/gtest.h>

#include <vector>

namespace seastrip {
namespace {

// Wave cycles against a sound device that is missing until cycle `back`:
// the cycles let pass between attempts, and the attempts from `back` on.
struct Cycles {
    std::vector<int> gaps;
    std::vector<int> attemptsFromBack;
};

Cycles PlayCycles(int cycles, int back)
{
    RetryBackoff retry;
    Cycles run;
    int passed = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (!retry.Due()) {
            ++passed;
            continue;
        }
        if (cycle >= back) {
            run.attemptsFromBack.push_back(cycle);
            retry.Succeeded();
        } else {
            if (cycle > 0) run.gaps.push_back(passed);
            retry.Failed();
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

}  // namespace
}  // namespace seastrip
