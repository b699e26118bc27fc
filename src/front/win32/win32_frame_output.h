#pragma once

#include <windows.h>

#include "front/common/frame_output.h"

namespace seastrip {

// The strip's frame on Windows: a top-down 32-bit device-independent bitmap
// of device size, selected into a memory DC. A tick copies what it changed
// from it into the window; a repaint of the window (an uncovered strip, a
// first paint) copies from it too, so no scene code runs to paint.
class Win32FrameOutput final : public FrameOutput {
public:
    Win32FrameOutput() = default;
    ~Win32FrameOutput() override;
    Win32FrameOutput(const Win32FrameOutput&) = delete;
    Win32FrameOutput& operator=(const Win32FrameOutput&) = delete;

    // The window the image is shown in; none until it exists.
    void SetWindow(HWND window) { window_ = window; }

    bool Resize(int width, int height) override;
    uint8_t* Pixels() override;
    ptrdiff_t Stride() const override { return static_cast<ptrdiff_t>(width_) * 4; }
    void Show(std::span<const PixelRect> rects) override;

    bool HasImage() const { return bits_ != nullptr; }
    // Copies the part of the image under the rectangle into a device context
    // of the window (a repaint's); what lies outside the image is left.
    void Paint(HDC dc, const RECT& area) const;

private:
    void Drop();

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace seastrip
