#pragma once

#include <filesystem>
#include <string>

#include "front/common/settings_place.h"

namespace seastrip {

// Where the settings file and the wave sound live on this desktop, and the
// settings file itself.
//
// Every place is fixed when the object is made, at the program's start: the
// program file may be replaced while the strip runs (an upgrade, a rebuild),
// and its path then no longer names a file.
class GtkSettings {
public:
    GtkSettings();

    // The folder the setting is read from now.
    std::string Folder() const { return place_.Folder(); }
    const std::string& BaseName() const { return baseName_; }
    const std::string& DataFolder() const { return dataFolder_; }

    // The value stored under section and key in the file at path, or "".
    std::string Read(const std::string& section, const std::string& key, const std::string& path) const;
    // Stores the value where the settings place says (the file it is read
    // from, or the fallback when that cannot be written); false when nothing
    // was stored.
    bool Write(const std::string& section, const std::string& key, const std::string& value);

private:
    explicit GtkSettings(const std::filesystem::path& exe);

    std::string baseName_;
    std::string dataFolder_;
    SettingsPlace place_;
};

}  // namespace seastrip
