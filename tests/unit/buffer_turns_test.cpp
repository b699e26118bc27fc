// The Wayland output's buffers taking turns: whichever buffer is handed to
// the compositor must hold the whole present image, however the turns fall.
#include "front/gtk/buffer_turns.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace seastrip {
namespace {

constexpr int kW = 64;
constexpr int kH = 8;
const PixelRect kWhole{0, 0, kW, kH};

struct Picture {
    std::vector<int> pixels = std::vector<int>(kW * kH, 0);
    void Paint(const PixelRect& rect, int value)
    {
        for (int y = rect.y; y < rect.y + rect.h; ++y)
            for (int x = rect.x; x < rect.x + rect.w; ++x) pixels[y * kW + x] = value;
    }
    void CopyFrom(const Picture& image, const PixelRect& rect)
    {
        const PixelRect part = Intersect(rect, kWhole);
        for (int y = part.y; y < part.y + part.h; ++y)
            for (int x = part.x; x < part.x + part.w; ++x) pixels[y * kW + x] = image.pixels[y * kW + x];
    }
};

// A desktop's run of frames: each changes a rectangle or two, and is put
// into a free buffer, or shown by GTK when the compositor holds both.
TEST(BufferTurns, TheBufferHandedOverAlwaysHoldsThePresentImage)
{
    for (const double gtkShare : {0.0, 0.1, 0.5}) {
        for (const double keptShare : {0.0, 0.3, 0.95}) {
            std::mt19937 random(7);
            std::uniform_real_distribution<double> chance(0, 1);
            BufferTurns turns;
            Picture image;
            Picture buffers[BufferTurns::kCount];
            for (Picture& b : buffers) b.Paint(kWhole, -1);  // fresh memory holds anything
            size_t last = 1;
            long copied = 0;
            for (int frame = 1; frame <= 400; ++frame) {
                std::vector<PixelRect> rects;
                for (int n = 1 + static_cast<int>(random() % 2); n > 0; --n) {
                    const int x = static_cast<int>(random() % (kW - 4));
                    rects.push_back(PixelRect{x, static_cast<int>(random() % 4), 4, 4});
                }
                for (const PixelRect& r : rects) image.Paint(r, frame);
                if (chance(random) < gtkShare) {
                    turns.MissedByAll(rects);
                    continue;
                }
                // The compositor may keep the last buffer it was given a while;
                // then the same one as last time is free again.
                const size_t which = chance(random) < keptShare ? last : 1 - last;
                for (const PixelRect& r : turns.Bring(which, rects, kWhole)) {
                    buffers[which].CopyFrom(image, r);
                    copied += Area(Intersect(r, kWhole));
                }
                ASSERT_EQ(buffers[which].pixels, image.pixels)
                    << "frame " << frame << ", GTK share " << gtkShare << ", kept share " << keptShare;
                last = which;
            }
            // Turns that alternate copy the changes, not whole buffers.
            if (gtkShare == 0.0 && keptShare == 0.0) {
                EXPECT_LT(copied, 400L * 2 * 2 * 16 + 2 * kW * kH);
            }
        }
    }
}

// A buffer the compositor keeps for long misses more than is worth listing:
// it comes back whole, and new buffers hold nothing until brought whole.
TEST(BufferTurns, LongMissedAndNewBuffersAreBroughtWhole)
{
    BufferTurns turns;
    const PixelRect small{1, 1, 2, 2};
    const std::span<const PixelRect> one(&small, 1);
    EXPECT_EQ(turns.Bring(0, one, kWhole), std::vector<PixelRect>{kWhole});
    EXPECT_EQ(turns.Bring(1, one, kWhole), std::vector<PixelRect>{kWhole});
    for (size_t i = 0; i <= BufferTurns::kMaxMissed; ++i) turns.Bring(0, one, kWhole);
    EXPECT_EQ(turns.Bring(1, one, kWhole), std::vector<PixelRect>{kWhole});
    EXPECT_EQ(turns.Bring(0, one, kWhole).size(), 2u);  // the one it missed, and the new one
    turns.Reset();
    EXPECT_EQ(turns.Bring(0, one, kWhole), std::vector<PixelRect>{kWhole});
}

}  // namespace
}  // namespace seastrip
