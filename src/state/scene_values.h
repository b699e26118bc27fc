#pragma once

#include <cstdint>

namespace seastrip {

// A scene value is a column of the sky picture and a moment of the day:
// 0 day, 1..344 a sunset, 345 night, 346..479 a dawn; after 479 comes 0.
constexpr int32_t kSceneDay = 0;
constexpr int32_t kSunsetFirst = 1;
constexpr int32_t kSunsetLast = 344;
constexpr int32_t kSceneNight = 345;
constexpr int32_t kDawnFirst = 346;
constexpr int32_t kSceneLast = 479;

constexpr bool IsSunset(int32_t scene) { return scene >= kSunsetFirst && scene <= kSunsetLast; }
constexpr bool IsDawn(int32_t scene) { return scene >= kDawnFirst && scene <= kSceneLast; }

}  // namespace seastrip
