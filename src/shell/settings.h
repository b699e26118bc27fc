#pragma once

#include <string>

#include "platform/platform.h"

namespace seastrip {

// The settings file's path: the settings folder, one separator, the
// executable's base name and ".ini". Built anew on every call.
std::string SettingsPath(const Platform& platform);

// The stored value (at most 510 characters, spaces trimmed), or "".
std::string ReadSetting(Platform& platform, const std::string& section, const std::string& key);
// Stores the value; a failed write is silently lost.
void WriteSetting(Platform& platform, const std::string& section, const std::string& key, const std::string& value);

}  // namespace seastrip
