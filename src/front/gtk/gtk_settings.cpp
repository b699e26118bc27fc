// Where the settings file and the wave sound live on this desktop.
//
// The settings file is read from, and written to:
//  - $SEASTRIP_CONFIG_DIR when set and not empty (tests point it at a
//    temporary folder; a user may keep the settings anywhere);
//  - beside the program, when it runs from a folder of its own (its wave
//    sound lies beside it), as the program has always kept its settings
//    beside itself. Where that folder cannot be written the user's choice
//    goes to the fallback, $XDG_CONFIG_HOME/seastrip (by default
//    ~/.config/seastrip), which is read first from then on;
//  - otherwise, for an installed program, in that fallback folder alone: a
//    bin folder is shared with others, so it never counts, even for root.
// A settings folder is made only when a setting is first stored in it.
#include "front/gtk/gtk_settings.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "front/common/profile_file.h"

#ifndef SEASTRIP_DATA_DIR
#define SEASTRIP_DATA_DIR "/usr/local/share/seastrip"
#endif

namespace seastrip {
namespace {

namespace fs = std::filesystem;

fs::path ExecutablePath()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool OwnFolder(const fs::path& exe)
{
    std::error_code error;
    return !exe.empty() && fs::exists(exe.parent_path() / "zem.wav", error);
}

std::string ConfigFolder()
{
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        // A relative XDG_CONFIG_HOME is invalid and ignored, as the base
        // directory rules say.
        const std::string home = Environment("HOME");
        config = (home.empty() ? std::string("/tmp") : home) + "/.config";
    }
    return config + "/seastrip";
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

bool MakeFolders(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return !error;
}

SettingsPlace ChooseSettingsPlace(const fs::path& exe, const std::string& fileName)
{
    const SettingsPlace::Files files{FileExists, MakeFolders};
    if (std::string folder = Environment("SEASTRIP_CONFIG_DIR"); !folder.empty()) {
        return SettingsPlace(folder, "", fileName, '/', files);
    }
    if (OwnFolder(exe)) return SettingsPlace(exe.parent_path().string(), ConfigFolder(), fileName, '/', files);
    return SettingsPlace(ConfigFolder(), "", fileName, '/', files);
}

std::string ChooseBaseName(const fs::path& exe)
{
    const std::string stem = exe.stem().string();
    return stem.empty() ? std::string("seastrip") : stem;
}

std::string ChooseDataFolder(const fs::path& exe)
{
    std::error_code error;
    if (OwnFolder(exe)) return exe.parent_path().string();
    // An installed program finds its data beside its bin folder, wherever the
    // prefix is: a package installs under /usr what was built for /usr/local.
    if (!exe.empty()) {
        const fs::path installed = exe.parent_path().parent_path() / "share" / "seastrip";
        if (fs::exists(installed / "zem.wav", error)) return installed.string();
    }
    return SEASTRIP_DATA_DIR;
}

}  // namespace

GtkSettings::GtkSettings() : GtkSettings(ExecutablePath()) {}

GtkSettings::GtkSettings(const std::filesystem::path& exe)
    : baseName_(ChooseBaseName(exe)),
      dataFolder_(ChooseDataFolder(exe)),
      place_(ChooseSettingsPlace(exe, baseName_ + ".ini"))
{
}

std::string GtkSettings::Read(const std::string& section, const std::string& key, const std::string& path) const
{
    return ReadProfileFile(path, section, key);
}

// A folder that is the only place for the file (an installed program's, or
// $SEASTRIP_CONFIG_DIR) is made at the first write, as the fallback is.
bool GtkSettings::Write(const std::string& section, const std::string& key, const std::string& value)
{
    return place_.Write([&](const std::string& path) {
        const fs::path folder = fs::path(path).parent_path();
        std::error_code error;
        if (!folder.empty() && !fs::is_directory(folder, error)) MakeFolders(folder.string());
        return WriteProfileFile(path, section, key, value);
    });
}

}  // namespace seastrip
