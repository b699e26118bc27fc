#include "shapes_view.h"

#include <algorithm>
#include <string>

namespace seastrip {
namespace {

// Digits 0-9 in a 3 x 5 pixel font, one row of three bits per line.
constexpr uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

constexpr Colour kPaper{255, 255, 255};
constexpr Colour kInk{0, 0, 0};
constexpr Colour kBox{200, 200, 230};
constexpr Colour kLabel{160, 0, 0};

// The element size each outline is drawn for.
void ElementSize(int number, int& w, int& h)
{
    if (number <= 14) { w = 320; h = 3; }
    else if (number == 15) { w = 38; h = 27; }
    else if (number == 16) { w = 6; h = 5; }
    else if (number <= 19) { w = 32; h = 25; }
    else if (number == 20) { w = 320; h = 16; }
    else if (number <= 23) { w = 11; h = 8; }
    else { w = 16; h = 16; }
}

void FillRect(Bitmap& b, int x, int y, int w, int h, Colour c)
{
    for (int j = std::max(0, y); j < std::min(b.height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(b.width, x + w); ++i) b.Set(i, j, c);
}

void DrawNumber(Bitmap& b, int x, int y, int number, int size)
{
    const std::string text = std::to_string(number);
    for (char ch : text) {
        const uint8_t* glyph = kDigits[ch - '0'];
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyph[row] & (4 >> col)) FillRect(b, x + col * size, y + row * size, size, size, kLabel);
        x += 4 * size;
    }
}

}  // namespace

Bitmap DrawShapes(const RegionTableBlock& table, int scale)
{
    constexpr int kMargin = 8;
    constexpr int kLabelWidth = 40;
    int width = 0, height = kMargin;
    for (int n = 0; n < region::kFilledSlots; ++n) {
        int w, h;
        ElementSize(n, w, h);
        width = std::max(width, kLabelWidth + (w + 2) * scale + 2 * kMargin);
        height += std::max(h * scale + 2 * scale, 14) + kMargin;
    }
    Bitmap out(width, height, kPaper);
    int y = kMargin;
    for (int n = 0; n < region::kFilledSlots; ++n) {
        int w, h;
        ElementSize(n, w, h);
        DrawNumber(out, kMargin, y, n, 2);
        const int x0 = kMargin + kLabelWidth;
        // A pale box one pixel wider than the element all round shows its size.
        FillRect(out, x0, y, (w + 2) * scale, (h + 2) * scale, kBox);
        FillRect(out, x0 + scale, y + scale, w * scale, h * scale, kPaper);
        const RegionRecord& record = table[static_cast<size_t>(n)];
        for (uint32_t r = 0; r < record.header.nCount && r < kRegionRectCapacity; ++r) {
            const RegionRect& rect = record.rects[r];
            FillRect(out, x0 + (rect.left + 1) * scale, y + (rect.top + 1) * scale, (rect.right - rect.left) * scale,
                     (rect.bottom - rect.top) * scale, kInk);
        }
        y += std::max(h * scale + 2 * scale, 14) + kMargin;
    }
    return out;
}

}  // namespace seastrip
