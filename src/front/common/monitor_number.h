#pragma once

#include <optional>
#include <string_view>

namespace seastrip {

// A monitor named on the command line by its number, counted from 0 in the
// system's order. Both desktops take the same numbers; no desktop has
// anywhere near this many monitors, so a larger number is a typing mistake.
constexpr int kLastMonitorNumber = 255;

// "0" to "255": digits alone, no sign, no spaces. Nothing otherwise.
inline std::optional<int> ParseMonitorNumber(std::string_view text)
{
    if (text.empty() || text.size() > 3) return std::nullopt;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number > kLastMonitorNumber) return std::nullopt;
    return number;
}

}  // namespace seastrip
