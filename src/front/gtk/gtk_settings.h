#pragma once

#include <string>

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

    const std::string& Folder() const { return folder_; }
    const std::string& BaseName() const { return baseName_; }
    const std::string& DataFolder() const { return dataFolder_; }

    // The value stored under section and key in the file at path, or "".
    std::string Read(const std::string& section, const std::string& key, const std::string& path) const;
    // Stores the value, creating the file's folder first; false when nothing
    // was stored.
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& path) const;

private:
    std::string folder_;
    std::string baseName_;
    std::string dataFolder_;
};

}  // namespace seastrip
