#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"

namespace seastrip {

// Writes frames of equal size into an animated picture file.
class AnimationWriter {
public:
    virtual ~AnimationWriter() = default;
    // Adds a frame shown for `delayMs`. False on a write error.
    virtual bool AddFrame(const Bitmap& frame, int delayMs) = 0;
    // Finishes the file and puts it in place. False on a write error.
    virtual bool Finish() = 0;
    // After a false: one line naming the file and the reason.
    virtual std::string Error() const = 0;
};

// An animated GIF (giflib), or an animated WebP (libwebp) when the path ends
// in ".webp", written whole or not at all: a writer dropped before Finish, or
// one that failed, leaves no file behind. Null, with `error` filled, when the
// file cannot be started.
std::unique_ptr<AnimationWriter> OpenAnimation(const std::string& path, int width, int height, std::string& error);

}  // namespace seastrip
