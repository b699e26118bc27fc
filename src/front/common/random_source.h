#pragma once

#include <cstdint>

namespace seastrip {

// The shared uniform source, 0 <= r < 1. It is never seeded from anything
// outside, so every run draws the same sequence, as the fronts all expect.
class RandomSource {
public:
    double Next()
    {
        // SplitMix64: small, fast, and good enough for where clouds drift.
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
    }

private:
    uint64_t state_ = 0x5EA57121ull;
};

}  // namespace seastrip
