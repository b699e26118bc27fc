#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "front/win32/win32_scale.h"
#include "platform/element.h"
#include "platform/element_design.h"

namespace seastrip {

// An element as a native window: one of the strip's child windows, or (as
// the strip window, which derives from it) the strip itself.
//
// Geometry is kept in art pixels (15 twips each); the window stands at those
// times the frame's scale, so every art pixel is a scale x scale block. It
// paints from its persistent image, a 32-bit DIB section of art size selected
// into a memory DC and stretched without blending, or else from its fill
// colour and picture. The window region (the outline) belongs to the window
// system; the element keeps the record it came from, to scale it again.
class Win32Element : public Element {
public:
    // The class every child element window belongs to; false when the system
    // refuses it.
    static bool RegisterElementClass(HINSTANCE instance);
    // A child window of the strip as the design gives it, or null when the
    // system cannot make the window.
    static std::unique_ptr<Win32Element> CreateChild(HWND parent, const ElementDesign& design,
                                                     const StripFrame& frame);
    // A hidden copy of this element (size, position, fill, picture, image),
    // placed in front of its siblings; null when the system cannot make it.
    std::unique_ptr<Win32Element> Duplicate() const;

    ~Win32Element() override;
    Win32Element(const Win32Element&) = delete;
    Win32Element& operator=(const Win32Element&) = delete;

    HWND Window() const { return window_; }
    // Stands the window again at the frame's scale and place, with its
    // outline scaled to match.
    void Rescale();

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;

    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override;
    void BringToFront() override;

    Colour FillColour() const override { return fill_; }
    void SetFillColour(Colour colour) override;
    Picture GetPicture() const override { return picture_; }
    void TakePictureOf(const Element& source) override;

    void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                     int dh) override;
    int32_t ReadPoint(int x, int y) const override;
    void SetPoint(int x, int y, Colour colour) override;
    void FillBox(int x, int y, int w, int h, Colour colour) override;

    RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) override;

protected:
    Win32Element(const StripFrame& frame, bool persistent);
    // Every element window's procedure: attaches the element at WM_NCCREATE
    // and hands each message to Message.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);
    // Where the window stands in device pixels: in its parent's client area
    // for a child, on the desktop for the strip.
    virtual PixelBox DevicePlace() const;
    void Place();
    // Makes the persistent image match the element's size, keeping what was drawn.
    void ResizeImage();
    const StripFrame& Frame() const { return frame_; }
    PixelBox ArtBox() const { return PixelBox{left_, top_, left_ + width_, top_ + height_}; }

    HWND window_ = nullptr;

private:
    void Paint();
    // Fill colour with the picture at the top-left: how an image starts.
    void RepaintBackground();
    void Invalidate(int x, int y, int w, int h);
    RegionResult ShapeWindow();
    uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * imageWidth_; }

    const StripFrame& frame_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = false;
    Colour fill_{};
    Picture picture_;
    bool persistent_ = false;
    std::vector<uint8_t> region_;

    HDC imageDc_ = nullptr;
    HBITMAP image_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
};

}  // namespace seastrip
