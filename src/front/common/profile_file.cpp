#include "front/common/profile_file.h"

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
    auto text = Slurp(path);
    if (!text) return false;
    const std::string updated = ProfileTextSet(*text, section, key, value);

    std::random_device entropy;
    const std::string temp = path + ".tmp" + std::to_string(entropy() % 1000000);
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
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace seastrip
