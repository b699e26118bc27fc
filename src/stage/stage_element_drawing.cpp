#include <algorithm>
#include <cstring>
#include <vector>

#include "stage/stage_element.h"

namespace seastrip {

namespace {

// Grows to hold every pixel that a drawing operation really changed, so that
// drawing the same colours again asks for no recomposition.
struct ChangedArea {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;

    void Add(int xFirst, int xLast, int y)
    {
        if (!any) {
            x0 = xFirst;
            x1 = xLast + 1;
            y0 = y;
            y1 = y + 1;
            any = true;
            return;
        }
        x0 = std::min(x0, xFirst);
        x1 = std::max(x1, xLast + 1);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y + 1);
    }
    PixelRect Rect() const { return any ? PixelRect{x0, y0, x1 - x0, y1 - y0} : PixelRect{}; }
};

// Writes one pixel and says whether it differed.
bool Put(uint8_t* p, const uint8_t* c)
{
    if (p[0] == c[0] && p[1] == c[1] && p[2] == c[2]) {
        return false;
    }
    p[0] = c[0];
    p[1] = c[1];
    p[2] = c[2];
    return true;
}

}  // namespace

void StageElement::StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh)
{
    // Only a persistent image keeps what is drawn; mirrored (negative) and
    // empty rectangles copy nothing.
    if (!persistent_ || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) {
        return;
    }
    // A copy out of the element's own image reads from a snapshot.
    const Bitmap snapshot = &source == &image_ ? image_ : Bitmap{};
    const Bitmap& from = &source == &image_ ? snapshot : source;

    const int i0 = std::max(0, -dx);
    const int i1 = static_cast<int>(std::min<int64_t>(dw, static_cast<int64_t>(image_.width) - dx));
    const int j0 = std::max(0, -dy);
    const int j1 = static_cast<int>(std::min<int64_t>(dh, static_cast<int64_t>(image_.height) - dy));
    if (i1 <= i0 || j1 <= j0) {
        return;
    }
    // Nearest-neighbour sampling: destination column i reads source column
    // sx + floor(i * sw / dw); worked out once per column, not per pixel.
    std::vector<int> sourceX(static_cast<size_t>(i1 - i0));
    for (int i = i0; i < i1; ++i) {
        sourceX[static_cast<size_t>(i - i0)] =
            static_cast<int>(sx + static_cast<int64_t>(i) * sw / dw);
    }
    ChangedArea changed;
    for (int j = j0; j < j1; ++j) {
        const int64_t srcY = sy + static_cast<int64_t>(j) * sh / dh;
        if (srcY < 0 || srcY >= from.height) {
            continue;
        }
        const int y = dy + j;
        const uint8_t* srcRow = &from.rgb[static_cast<size_t>(srcY) * from.width * 3];
        uint8_t* dstRow = &image_.rgb[static_cast<size_t>(y) * image_.width * 3];
        int first = -1, last = -1;
        for (int i = i0; i < i1; ++i) {
            const int srcX = sourceX[static_cast<size_t>(i - i0)];
            if (srcX < 0 || srcX >= from.width) {
                continue;
            }
            const int x = dx + i;
            if (Put(dstRow + static_cast<size_t>(x) * 3, srcRow + static_cast<size_t>(srcX) * 3)) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        if (first >= 0) {
            changed.Add(first, last, y);
        }
    }
    InvalidateElementArea(changed.Rect());
}

int32_t StageElement::ReadPoint(int x, int y) const
{
    if (persistent_) {
        return image_.Contains(x, y) ? image_.At(x, y).Packed() : kNoPixel;
    }
    // Without an image the element is read as it shows: picture over fill.
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) {
        return kNoPixel;
    }
    if (picture_ && picture_->Contains(x, y)) {
        return picture_->At(x, y).Packed();
    }
    return fill_.Packed();
}

void StageElement::SetPoint(int x, int y, Colour colour)
{
    if (!persistent_ || !image_.Contains(x, y)) {
        return;
    }
    const uint8_t c[3] = {colour.r, colour.g, colour.b};
    if (Put(&image_.rgb[(static_cast<size_t>(y) * image_.width + x) * 3], c)) {
        InvalidateElementArea(PixelRect{x, y, 1, 1});
    }
}

void StageElement::FillBox(int x, int y, int w, int h, Colour colour)
{
    if (!persistent_ || w <= 0 || h <= 0) {
        return;
    }
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(x) + w, image_.width));
    const int y1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(y) + h, image_.height));
    const uint8_t c[3] = {colour.r, colour.g, colour.b};
    ChangedArea changed;
    for (int row = y0; row < y1; ++row) {
        uint8_t* line = &image_.rgb[static_cast<size_t>(row) * image_.width * 3];
        int first = -1, last = -1;
        for (int col = x0; col < x1; ++col) {
            if (Put(line + static_cast<size_t>(col) * 3, c)) {
                first = first < 0 ? col : first;
                last = col;
            }
        }
        if (first >= 0) {
            changed.Add(first, last, row);
        }
    }
    InvalidateElementArea(changed.Rect());
}

void StageElement::ReadShownRow(int y, int x0, int x1, uint8_t* dest) const
{
    if (persistent_) {
        std::memcpy(dest, &image_.rgb[(static_cast<size_t>(y) * image_.width + x0) * 3],
                    static_cast<size_t>(x1 - x0) * 3);
        return;
    }
    int x = x0;
    if (picture_ && y < picture_->height) {
        const int pictureEnd = std::min(x1, picture_->width);
        if (pictureEnd > x) {
            std::memcpy(dest, &picture_->rgb[(static_cast<size_t>(y) * picture_->width + x) * 3],
                        static_cast<size_t>(pictureEnd - x) * 3);
            dest += static_cast<size_t>(pictureEnd - x) * 3;
            x = pictureEnd;
        }
    }
    for (; x < x1; ++x) {
        *dest++ = fill_.r;
        *dest++ = fill_.g;
        *dest++ = fill_.b;
    }
}

}  // namespace seastrip
