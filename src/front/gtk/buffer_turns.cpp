#include "front/gtk/buffer_turns.h"

namespace seastrip {

void BufferTurns::Reset()
{
    for (Turn& turn : turns_) turn = Turn{};
}

void BufferTurns::Miss(Turn& turn, std::span<const PixelRect> rects)
{
    if (turn.whole) return;
    turn.missed.insert(turn.missed.end(), rects.begin(), rects.end());
    if (turn.missed.size() > kMaxMissed) {
        turn.missed.clear();
        turn.whole = true;
    }
}

std::vector<PixelRect> BufferTurns::Bring(size_t which, std::span<const PixelRect> rects, const PixelRect& whole)
{
    Turn& turn = turns_[which];
    std::vector<PixelRect> copy;
    if (turn.whole) {
        copy.push_back(whole);
    } else {
        copy = std::move(turn.missed);
        copy.insert(copy.end(), rects.begin(), rects.end());
    }
    turn = Turn{{}, false};
    for (size_t i = 0; i < kCount; ++i) {
        if (i != which) Miss(turns_[i], rects);
    }
    return copy;
}

void BufferTurns::MissedByAll(std::span<const PixelRect> rects)
{
    for (Turn& turn : turns_) Miss(turn, rects);
}

}  // namespace seastrip
