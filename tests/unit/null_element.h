#pragma once

#include "platform/element.h"

namespace seastrip::testing {

// An element that does nothing and holds nothing: zero size, hidden, no
// picture, every point outside its image, every outline taken. A test
// derives from it what it needs to watch or refuse.
class NullElement : public Element {
public:
    float Left() const override { return 0; }
    float Top() const override { return 0; }
    float Width() const override { return 0; }
    float Height() const override { return 0; }
    void SetLeft(float) override {}
    void SetTop(float) override {}
    void SetWidth(float) override {}
    void SetHeight(float) override {}
    bool Visible() const override { return false; }
    void SetVisible(bool) override {}
    void BringToFront() override {}
    Colour FillColour() const override { return {}; }
    void SetFillColour(Colour) override {}
    Picture GetPicture() const override { return nullptr; }
    void TakePictureOf(const Element&) override {}
    void StretchCopy(const Bitmap&, int, int, int, int, int, int, int, int) override {}
    int32_t ReadPoint(int, int) const override { return kNoPixel; }
    void SetPoint(int, int, Colour) override {}
    void FillBox(int, int, int, int, Colour) override {}
    RegionResult ApplyRegionData(const uint8_t*, uint32_t) override { return RegionResult::Ok; }
};

}  // namespace seastrip::testing
