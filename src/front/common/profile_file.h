#pragma once

#include <string>

namespace seastrip {

// A settings file on disk for platforms without a profile API.

// The stored value, or the empty string when the file, the section or the key
// is missing, or the file cannot be read.
std::string ReadProfileFile(const std::string& path, const std::string& section, const std::string& key);

// Stores the value, creating the file on the first write. The file is
// replaced atomically (written beside it, synced to disk, then renamed), so
// an interrupted write never leaves a damaged file; it keeps its
// permissions. A file that is a symbolic link is written through the link; a
// read-only file is left as it is. Returns false when nothing was stored.
bool WriteProfileFile(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value);

// The one temporary file a write of `path` uses beside it. A write that was
// killed leaves at most this one, and the next write takes it over.
std::string TempPathFor(const std::string& path);

// Files larger than this are not settings files; they are neither read nor
// rewritten, so nothing of them is lost.
constexpr size_t kMaxProfileFileBytes = 1 << 20;

}  // namespace seastrip
