// Where the settings file and the wave sound live on this desktop.
//
// The settings folder is, in this order of preference:
//  - $SEASTRIP_CONFIG_DIR when set and not empty (tests point it at a
//    temporary folder; a user may keep the settings anywhere);
//  - the executable's folder, when the program runs from a folder of its
//    own (its wave sound lies beside it) that can be written, as the program
//    has always kept its settings beside itself; an installed program's bin
//    folder is shared with others, so it never counts, even for root;
//  - otherwise $XDG_CONFIG_HOME/seastrip, by default ~/.config/seastrip,
//    created on the first write.
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

std::string ChooseSettingsFolder(const fs::path& exe)
{
    if (std::string folder = Environment("SEASTRIP_CONFIG_DIR"); !folder.empty()) return folder;
    std::error_code error;
    if (!exe.empty() && fs::exists(exe.parent_path() / "zem.wav", error) &&
        access(exe.parent_path().c_str(), W_OK) == 0) {
        return exe.parent_path().string();
    }
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        // A relative XDG_CONFIG_HOME is invalid and ignored, as the base
        // directory rules say.
        const std::string home = Environment("HOME");
        config = (home.empty() ? std::string("/tmp") : home) + "/.config";
    }
    return config + "/seastrip";
}

std::string ChooseBaseName(const fs::path& exe)
{
    const std::string stem = exe.stem().string();
    return stem.empty() ? std::string("seastrip") : stem;
}

std::string ChooseDataFolder(const fs::path& exe)
{
    std::error_code error;
    if (!exe.empty() && fs::exists(exe.parent_path() / "zem.wav", error)) return exe.parent_path().string();
    // An installed program finds its data beside its bin folder, wherever the
    // prefix is: a package installs under /usr what was built for /usr/local.
    if (!exe.empty()) {
        const fs::path installed = exe.parent_path().parent_path() / "share" / "seastrip";
        if (fs::exists(installed / "zem.wav", error)) return installed.string();
    }
    return SEASTRIP_DATA_DIR;
}

}  // namespace

GtkSettings::GtkSettings()
{
    const fs::path exe = ExecutablePath();
    folder_ = ChooseSettingsFolder(exe);
    baseName_ = ChooseBaseName(exe);
    dataFolder_ = ChooseDataFolder(exe);
}

std::string GtkSettings::Read(const std::string& section, const std::string& key, const std::string& path) const
{
    return ReadProfileFile(path, section, key);
}

bool GtkSettings::Write(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& path) const
{
    std::error_code error;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) fs::create_directories(folder, error);
    return WriteProfileFile(path, section, key, value);
}

}  // namespace seastrip
