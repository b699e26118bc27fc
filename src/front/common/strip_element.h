#pragma once

#include "platform/element.h"

namespace seastrip {

// What a desktop's strip window hears that concerns the whole program rather
// than its picture, each on the user-interface thread. A front's window adds
// what its desktop alone tells.
class StripWindowEvents {
public:
    // A press on the strip's own surface (a press on a shown element does
    // nothing).
    virtual void StripPressed(MouseButton button) = 0;
    // The user, the desktop or the system asked the strip to close.
    virtual void CloseRequested() = 0;

protected:
    ~StripWindowEvents() = default;
};

// The real top-level window that shows the strip on a desktop.
class StripHost {
public:
    // Moves and sizes the window to the strip element's geometry.
    virtual void Place(const Element& strip) = 0;
    virtual void Show(bool visible) = 0;

protected:
    ~StripHost() = default;
};

// The strip's own surface as the program sees it on a desktop: the stage's
// strip element, whose geometry also places and sizes the real top-level
// window, and whose visibility shows and hides it. Everything else is the
// stage element's.
class StripElement final : public Element {
public:
    StripElement(Element& surface, StripHost& host) : surface_(surface), host_(host) {}

    float Left() const override { return surface_.Left(); }
    float Top() const override { return surface_.Top(); }
    float Width() const override { return surface_.Width(); }
    float Height() const override { return surface_.Height(); }
    void SetLeft(float twips) override { Reshape(&Element::SetLeft, twips); }
    void SetTop(float twips) override { Reshape(&Element::SetTop, twips); }
    void SetWidth(float twips) override { Reshape(&Element::SetWidth, twips); }
    void SetHeight(float twips) override { Reshape(&Element::SetHeight, twips); }

    // The window is shown only when the load shows it.
    bool Visible() const override { return shown_; }
    void SetVisible(bool visible) override;
    void BringToFront() override {}

    Colour FillColour() const override { return surface_.FillColour(); }
    void SetFillColour(Colour colour) override { surface_.SetFillColour(colour); }
    Picture GetPicture() const override { return surface_.GetPicture(); }
    void TakePictureOf(const Element& source) override { surface_.TakePictureOf(source); }

    void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) override
    {
        surface_.StretchCopy(source, sx, sy, sw, sh, dx, dy, dw, dh);
    }
    int32_t ReadPoint(int x, int y) const override { return surface_.ReadPoint(x, y); }
    void SetPoint(int x, int y, Colour colour) override { surface_.SetPoint(x, y, colour); }
    void FillBox(int x, int y, int w, int h, Colour colour) override { surface_.FillBox(x, y, w, h, colour); }
    RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) override
    {
        return surface_.ApplyRegionData(record, byteCount);
    }

private:
    // Every change of geometry goes to the stage's strip and moves the window.
    void Reshape(void (Element::*set)(float), float twips);

    Element& surface_;
    StripHost& host_;
    bool shown_ = false;
};

}  // namespace seastrip
