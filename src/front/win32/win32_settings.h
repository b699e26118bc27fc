#pragma once

#include <string>

#include "front/common/settings_place.h"

namespace seastrip {

// The private profile (INI) file through the wide-character API, so that a
// path outside the ANSI code page works. Strings are UTF-8.
std::string ReadProfileValue(const std::string& section, const std::string& key, const std::string& path);
bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& path);

// The executable's folder (without a trailing separator unless it is a
// drive's root) and its file name without the extension.
std::string ExecutableFolder();
std::string ExecutableBaseName();

// Where the settings file lives: beside the executable, and where that folder
// cannot be written, in the folder "Seastrip" of the user's roaming
// application data, made only when the first choice is stored there.
SettingsPlace MakeSettingsPlace();

}  // namespace seastrip
