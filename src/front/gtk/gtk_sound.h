#pragma once

#include <string>

#include "front/common/retry_backoff.h"

struct ca_context;

namespace seastrip {

// The wave sound through libcanberra: asynchronous, one sound at a time. The
// sound context is made at the first sound and lives as long as this object.
class GtkSound {
public:
    GtkSound() = default;
    ~GtkSound();
    GtkSound(const GtkSound&) = delete;
    GtkSound& operator=(const GtkSound&) = delete;

    // Starts playing a wave file and returns at once, cutting off the one
    // still playing. A missing or unreadable file stays silent, and so does
    // every sound once the desktop turned out to have no sound system; while
    // no device takes the sounds they are tried less and less often.
    void Play(const std::string& path);

private:
    bool Open();

    ca_context* context_ = nullptr;
    bool unavailable_ = false;
    RetryBackoff retry_;
};

}  // namespace seastrip
