#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/colour.h"

namespace seastrip {

// A picture in memory: rows top to bottom, three bytes (red, green, blue) per
// pixel. Pictures are shared read-only once loaded.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Bitmap() = default;
    Bitmap(int w, int h, Colour fill = {}) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3)
    {
        Fill(fill);
    }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Colour At(int x, int y) const
    {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return Colour{p[0], p[1], p[2]};
    }

    void Set(int x, int y, Colour c)
    {
        uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }

    void Fill(Colour c)
    {
        for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
            rgb[i] = c.r;
            rgb[i + 1] = c.g;
            rgb[i + 2] = c.b;
        }
    }
};

using Picture = std::shared_ptr<const Bitmap>;

}  // namespace seastrip
