#include "shell/settings.h"

#include <algorithm>

namespace seastrip {

std::string SettingsPath(const Platform& platform)
{
    std::string path = platform.SettingsFolder();
    const char separator = platform.PathSeparator();
    if (path.empty() || path.back() != separator) path += separator;
    return path + platform.ExecutableBaseName() + ".ini";
}

std::string ReadSetting(Platform& platform, const std::string& section, const std::string& key)
{
    // The platform fills a 511-character buffer: at most 510 characters and
    // the terminating zero; the value ends at its first zero character.
    std::string value = platform.ReadProfileString(section, key, SettingsPath(platform));
    value = value.substr(0, std::min<size_t>(value.find('\0'), 510));
    const size_t first = value.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    const size_t last = value.find_last_not_of(' ');
    return value.substr(first, last - first + 1);
}

void WriteSetting(Platform& platform, const std::string& section, const std::string& key, const std::string& value)
{
    platform.WriteProfileString(section, key, value, SettingsPath(platform));
}

}  // namespace seastrip
