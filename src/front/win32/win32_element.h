#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/element.h"
#include "platform/element_design.h"
#include "shell/strip_window.h"

namespace seastrip {

// The screen's twips-per-pixel factors, shared by every element.
struct TwipsScale {
    float x = 15.0f;
    float y = 15.0f;
};

// An element as a native window: the strip itself (a top-level popup) or one
// of its child windows. It paints from its persistent image, a 32-bit DIB
// section selected into a memory DC, or else from its fill colour and picture.
// The window region (the outline) belongs to the window system.
class Win32Element final : public Element {
public:
    // The strip's surface: a borderless popup, not in the taskbar, not
    // activated by clicks. Created hidden.
    static std::unique_ptr<Win32Element> CreateStrip(HINSTANCE instance, const TwipsScale& scale);
    // A child window of the strip as the design gives it.
    static std::unique_ptr<Win32Element> CreateChild(HWND parent, const ElementDesign& design,
                                                     const TwipsScale& scale);
    // A hidden copy of this element (size, position, fill, picture, image),
    // placed in front of its siblings.
    std::unique_ptr<Win32Element> Duplicate() const;

    ~Win32Element() override;
    Win32Element(const Win32Element&) = delete;
    Win32Element& operator=(const Win32Element&) = delete;

    HWND Window() const { return window_; }
    // Mouse presses on this window's own surface (1 left, 2 right, 4 middle).
    void OnPress(std::function<void(MouseButton)> handler) { pressHandler_ = std::move(handler); }

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

private:
    Win32Element(HWND window, const TwipsScale& scale, bool persistent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Press(MouseButton button);
    void Place();
    // Makes the persistent image match the window size, keeping what was drawn.
    void ResizeImage();
    // Fill colour with the picture at the top-left: how an image starts.
    void RepaintBackground();
    void Invalidate(int x, int y, int w, int h);
    uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * imageWidth_; }

    HWND window_ = nullptr;
    const TwipsScale& scale_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = false;
    Colour fill_{};
    Picture picture_;
    bool persistent_ = false;
    std::function<void(MouseButton)> pressHandler_;

    HDC imageDc_ = nullptr;
    HBITMAP image_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
};

}  // namespace seastrip
