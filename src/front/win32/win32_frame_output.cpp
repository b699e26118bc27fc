#include "front/win32/win32_frame_output.h"

#include <algorithm>

namespace seastrip {

Win32FrameOutput::~Win32FrameOutput() { Drop(); }

void Win32FrameOutput::Drop()
{
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

// An image that cannot be made (no memory) leaves none: the window keeps
// what it shows until the next refresh makes one.
bool Win32FrameOutput::Resize(int width, int height)
{
    if (bits_ && width == width_ && height == height_) return true;
    Drop();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as the frame
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;     // 0x00RRGGBB words, the output's layout
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = bitmap_ ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc_) {
        Drop();
        return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

// GDI may still be copying from the image in a batch of its own; it must be
// done before the presenter writes the next frame into it.
uint8_t* Win32FrameOutput::Pixels()
{
    if (bits_) GdiFlush();
    return bits_;
}

void Win32FrameOutput::Show(std::span<const PixelRect> rects)
{
    if (!window_ || !dc_) return;
    HDC dc = GetDC(window_);
    if (!dc) return;
    for (const PixelRect& rect : rects) BitBlt(dc, rect.x, rect.y, rect.w, rect.h, dc_, rect.x, rect.y, SRCCOPY);
    ReleaseDC(window_, dc);
}

void Win32FrameOutput::Paint(HDC dc, const RECT& area) const
{
    if (!dc_) return;
    const LONG right = std::min<LONG>(area.right, width_);
    const LONG bottom = std::min<LONG>(area.bottom, height_);
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG top = std::max<LONG>(area.top, 0);
    if (right <= left || bottom <= top) return;
    BitBlt(dc, left, top, right - left, bottom - top, dc_, left, top, SRCCOPY);
}

}  // namespace seastrip
