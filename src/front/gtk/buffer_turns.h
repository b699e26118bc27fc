#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "stage/pixel_rect.h"

namespace seastrip {

// What each of a surface's buffers lacks of the image. Buffers take turns:
// the one brought up to date is handed to the compositor, the others keep
// the list of rectangles that changed since they last were, so the one that
// comes round next gets those as well as the new change. A change shown by
// other means (GTK's own paint, while every buffer is the compositor's) is
// missed by all of them. A buffer that misses too much, or holds nothing
// yet, is brought up to date whole.
class BufferTurns {
public:
    static constexpr size_t kCount = 2;
    static constexpr size_t kMaxMissed = 32;

    // New buffers: none holds anything yet.
    void Reset();
    // The rectangles to copy into buffer `which` so that it holds the image
    // after the change `rects`; from then on it is up to date and every
    // other buffer misses `rects`. `whole` is the image's whole area.
    std::vector<PixelRect> Bring(size_t which, std::span<const PixelRect> rects, const PixelRect& whole);
    // The image changed by `rects` and no buffer was brought up to date.
    void MissedByAll(std::span<const PixelRect> rects);

private:
    struct Turn {
        std::vector<PixelRect> missed;
        bool whole = true;
    };
    void Miss(Turn& turn, std::span<const PixelRect> rects);

    Turn turns_[kCount];
};

}  // namespace seastrip
