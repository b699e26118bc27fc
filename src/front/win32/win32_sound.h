#pragma once

#include <string>

namespace seastrip {

// Starts playing a wave file and returns at once, cutting off one still
// playing; a missing or unreadable file plays nothing.
void PlayWaveAsync(const std::string& path);

}  // namespace seastrip
