#pragma once

#include <algorithm>

namespace seastrip {

// How often to try again something that keeps failing and may come back, such
// as playing a sound where no device is taking sounds: after each failure the
// next 1, 2, 4 ... attempts are let pass, at most kMaxSkip of them, and a
// success starts over. One attempt is asked for per call of Due().
class RetryBackoff {
public:
    static constexpr int kMaxSkip = 64;

    // Whether this attempt should be made.
    bool Due()
    {
        if (skipping_ == 0) return true;
        --skipping_;
        return false;
    }
    void Failed()
    {
        step_ = std::min(step_ == 0 ? 1 : step_ * 2, kMaxSkip);
        skipping_ = step_;
    }
    void Succeeded() { step_ = skipping_ = 0; }
    // Whether the gaps have grown as long as they get: the failures have
    // lasted a while.
    bool AtLimit() const { return step_ == kMaxSkip; }

private:
    int step_ = 0;      // the attempts let pass after the last failure
    int skipping_ = 0;  // of those, the ones still to come
};

}  // namespace seastrip
