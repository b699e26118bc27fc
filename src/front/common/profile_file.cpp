#include "front/common/profile_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>

#include "front/common/profile_text.h"

namespace seastrip {
namespace {

namespace fs = std::filesystem;

// The whole file, an empty string when it does not exist, or nothing when it
// exists but is not a readable settings file.
std::optional<std::string> Slurp(const std::string& path)
{
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec || status.type() == fs::file_type::not_found) return std::string();
    if (status.type() != fs::file_type::regular) return std::nullopt;
    if (fs::file_size(path, ec) > kMaxProfileFileBytes || ec) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

// Where a write must land: a settings file that is a symbolic link is
// written through the link, so the link stays and its target changes.
fs::path WriteTarget(const fs::path& path)
{
    std::error_code ec;
    fs::path target = path;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return path;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// A file without any write permission is read-only on purpose; like the
// profile API, the write then fails and the file stays as it is.
bool ReadOnly(const fs::path& file, fs::file_status status)
{
    if (status.type() == fs::file_type::not_found) return false;
    const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writeBits) == fs::perms::none || access(file.c_str(), W_OK) != 0;
}

}  // namespace

std::string ReadProfileFile(const std::string& path, const std::string& section, const std::string& key)
{
    auto text = Slurp(path);
    if (!text) return std::string();
    return ProfileTextGet(*text, section, key).value_or(std::string());
}

bool WriteProfileFile(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value)
{
    const fs::path target = WriteTarget(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ReadOnly(target, status)) return false;
    auto text = Slurp(target.string());
    if (!text) return false;
    const std::string updated = ProfileTextSet(*text, section, key, value);

    std::random_device entropy;
    const std::string temp = target.string() + ".tmp" + std::to_string(entropy() % 1000000);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    // The new file keeps the permissions the old one had.
    if (status.type() == fs::file_type::regular) fs::permissions(temp, status.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace seastrip
