#include "whole_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace seastrip {
namespace {

constexpr size_t kBufferBytes = 64 * 1024;

// The temporary file being written, removed should the tool be interrupted:
// a time-lapse can take minutes, and Ctrl+C must not leave its part behind.
// The tool writes one file at a time.
char g_pendingTemp[PATH_MAX];

extern "C" void RemovePendingAndDie(int signal)
{
    if (g_pendingTemp[0] != '\0') ::unlink(g_pendingTemp);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void WatchInterrupts()
{
    static bool watching = false;
    if (watching) return;
    watching = true;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored on purpose (nohup) stays ignored.
        if (std::signal(signal, RemovePendingAndDie) == SIG_IGN) std::signal(signal, SIG_IGN);
    }
}

void SetPending(const std::string& temp)
{
    if (temp.size() >= sizeof(g_pendingTemp)) return;
    std::memcpy(g_pendingTemp, temp.c_str(), temp.size() + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where the file lands: a link is written through, so its target is made or
// replaced and the link stays, as opening it for writing would do.
std::string LinkTarget(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char next[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), next, sizeof next - 1);
        if (length < 0) break;
        next[length] = '\0';
        path = next[0] == '/' ? std::string(next) : FolderOf(path) + "/" + next;
    }
    return path;
}

// The mode a new file gets from open(): what the user's umask allows.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

WholeFile::WholeFile(std::string path) : path_(std::move(path)), target_(path_) {}

WholeFile::~WholeFile() { Discard(); }

bool WholeFile::Open()
{
    struct stat st {};
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd_ < 0) FailWithErrno(errno);
        return fd_ >= 0;
    }
    target_ = LinkTarget(path_);
    std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
    WatchInterrupts();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        FailWithErrno(errno);
        return false;
    }
    temp_ = pattern;
    SetPending(temp_);
    // mkstemp makes the file private; the picture gets the mode the file it
    // replaces had, or the usual one for a new file.
    if (::fchmod(fd_, exists ? (st.st_mode & 07777) : NewFileMode()) != 0) {
        FailWithErrno(errno);
        Discard();
        return false;
    }
    return true;
}

bool WholeFile::Write(const void* data, size_t size)
{
    if (!error_.empty() || fd_ < 0) return false;
    buffer_.append(static_cast<const char*>(data), size);
    return buffer_.size() < kBufferBytes || Flush();
}

bool WholeFile::Flush()
{
    const char* p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, p, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            FailWithErrno(written < 0 ? errno : EIO);
            return false;
        }
        p += written;
        left -= static_cast<size_t>(written);
    }
    buffer_.clear();
    return true;
}

void WholeFile::Fail(const std::string& reason)
{
    if (error_.empty()) error_ = "cannot write " + path_ + ": " + reason;
}

void WholeFile::FailWithErrno(int error) { Fail(std::strerror(error)); }

bool WholeFile::Commit()
{
    if (fd_ < 0 && error_.empty()) Fail("the file was never opened");
    if (error_.empty()) Flush();
    if (fd_ >= 0) {
        // A network file system may report a failed write only here.
        if (::close(fd_) != 0) FailWithErrno(errno);
        fd_ = -1;
    }
    if (!error_.empty()) {
        Discard();
        return false;
    }
    if (!temp_.empty()) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            FailWithErrno(errno);
            Discard();
            return false;
        }
        temp_.clear();
        g_pendingTemp[0] = '\0';
    }
    return true;
}

void WholeFile::Discard()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    g_pendingTemp[0] = '\0';
    buffer_.clear();
}

}  // namespace seastrip
