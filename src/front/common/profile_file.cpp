#include "front/common/profile_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

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

// Opens the temporary file, which has one fixed name, so that at most one can
// ever exist: one left by a write that was killed is taken over and replaced.
// A write holds the file's lock until its rename is done; a second program
// writing the same file at that moment waits for it, and a file renamed
// away meanwhile is not the one to write, so the name is opened again.
// Returns the open, locked, empty file, or -1.
int OpenTemp(const std::string& temp)
{
    // A write takes milliseconds; one that holds the lock longer is stuck.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    bool removed = false;
    while (std::chrono::steady_clock::now() < giveUp) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            // Something that cannot be taken over (a link, a file without
            // write permission) is removed once; a second refusal ends it.
            if (removed || ::unlink(temp.c_str()) != 0) return -1;
            removed = true;
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            if (errno != EWOULDBLOCK) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::lstat(temp.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino && S_ISREG(opened.st_mode)) {
            if (::ftruncate(fd, 0) == 0) return fd;
            ::close(fd);
            return -1;
        }
        ::close(fd);
    }
    return -1;
}

// The mode open() gives a new file: what the user's umask allows. The mask
// is read, not set and set back, since the desktop's libraries run threads
// of their own that may make files meanwhile.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    }
    return 0644;
}

bool WriteAll(int fd, const std::string& bytes)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, p, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        p += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// After the rename, the folder's new entry is made durable too, so that a
// power loss cannot bring back the old file, or none. Some file systems
// cannot sync a folder; the file itself is on disk by then.
void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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

    const std::string temp = TempPathFor(target.string());
    const int fd = OpenTemp(temp);
    if (fd < 0) return false;
    // Read under the lock, so that two programs storing at once both keep
    // what the other stored.
    const auto text = Slurp(target.string());
    // The new file keeps the permissions the old one had; a first file gets
    // the usual ones, whatever a temporary file taken over had.
    const mode_t mode =
        status.type() == fs::file_type::regular ? static_cast<mode_t>(status.permissions()) : NewFileMode();
    const bool stored = text && WriteAll(fd, ProfileTextSet(*text, section, key, value)) &&
                        ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0 &&
                        ::rename(temp.c_str(), target.c_str()) == 0;
    if (stored) {
        SyncFolder(target.parent_path());
    } else {
        ::unlink(temp.c_str());
    }
    ::close(fd);  // only now, so that no other write takes the name in between
    return stored;
}

std::string TempPathFor(const std::string& path) { return path + ".tmp"; }

}  // namespace seastrip
