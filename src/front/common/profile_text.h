#pragma once

#include <optional>
#include <string>

namespace seastrip {

// The sectioned key=value text of a settings file, handled as the Windows
// profile API handles it for what this program does: section and key names
// match without regard to case, values come back trimmed, and a write changes
// only the one line it must (or adds it), leaving every other byte alone.

// The value under section and key, or nothing when either is missing.
std::optional<std::string> ProfileTextGet(const std::string& text, const std::string& section,
                                          const std::string& key);

// The text with the value stored under section and key.
std::string ProfileTextSet(const std::string& text, const std::string& section, const std::string& key,
                           const std::string& value);

}  // namespace seastrip
