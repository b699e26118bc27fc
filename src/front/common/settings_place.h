#pragma once

#include <functional>
#include <string>

namespace seastrip {

// Where the settings file is read and written. The program keeps its
// settings beside itself; where that folder cannot be written (an installed
// copy), its choices go to a fallback folder instead. Both folders and the
// file's name are fixed once, at start, so that a program replaced while it
// runs still finds its file.
//
// Nothing is lost or invented on the way:
//  - a settings file already beside the program (a preset Sound=OFF, say) is
//    read until the user's own choice has been stored in the fallback file,
//    which is read first from then on;
//  - a write goes where the setting is read from, and only when that fails
//    beside the program does it go to the fallback, whose folder is created
//    only then: reading creates nothing.
class SettingsPlace {
public:
    // The desktop's file operations: whether a file exists, and making a
    // folder with its parents.
    struct Files {
        std::function<bool(const std::string& path)> exists;
        std::function<bool(const std::string& folder)> makeFolders;
    };

    SettingsPlace(std::string besideFolder, std::string fallbackFolder, std::string fileName, char separator,
                  Files files);

    // The folder the setting is read from now.
    std::string Folder() const;
    // The file the setting is read from now.
    std::string Path() const { return Join(Folder()); }

    // Stores a value with `write`, which writes into the file at the path it
    // is given and says whether it did. Returns whether the value was stored.
    bool Write(const std::function<bool(const std::string& path)>& write);

private:
    std::string Join(const std::string& folder) const;
    bool FallbackInUse() const;

    std::string beside_;
    std::string fallback_;
    std::string fileName_;
    char separator_;
    Files files_;
};

}  // namespace seastrip
