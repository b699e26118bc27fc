#pragma once

#include <cstddef>
#include <string>

namespace seastrip {

// A file written whole or not at all. The bytes go to a temporary file beside
// the target, which takes the target's name only once every write, the flush
// and the close have succeeded; on a failure, or when the object goes before
// Commit, the temporary file is removed and the target stays as it was. A
// target that exists but is not a regular file (a device such as /dev/null,
// a pipe) is written in place: it cannot be replaced by renaming.
class WholeFile {
public:
    explicit WholeFile(std::string path);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Starts the file; false, with Error() set, when it cannot be made.
    bool Open();
    // Appends bytes. After the first failure nothing more is written, and
    // every later call returns false.
    bool Write(const void* data, size_t size);
    // Records a failure found by the caller (an encoder's), unless an
    // earlier one is recorded already.
    void Fail(const std::string& reason);
    // Writes what is buffered, closes the file and puts it in place; false,
    // with Error() set, on any failure.
    bool Commit();

    // One line naming the file and the first failure's reason.
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

private:
    bool Flush();
    void Discard();
    void FailWithErrno(int error);

    std::string path_;
    std::string target_;  // path_, with links followed
    std::string temp_;    // empty when written in place
    int fd_ = -1;
    std::string buffer_;
    std::string error_;
};

}  // namespace seastrip
