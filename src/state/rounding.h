#pragma once

#include <cmath>
#include <cstdint>

namespace seastrip {

// Fractions go to the nearest integer, halves to even.
inline int32_t RoundHalfEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

}  // namespace seastrip
