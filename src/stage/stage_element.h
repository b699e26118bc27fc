#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "platform/element.h"
#include "platform/element_design.h"
#include "platform/twips.h"
#include "stage/element_outline.h"
#include "stage/stage.h"

namespace seastrip {

// One element of the software stage. The rules it keeps:
//  - Geometry is held in twips as set; its pixel rectangle on the strip is
//    each value divided by the twips-per-pixel factor, rounded half to even.
//  - An element with a persistent image shows that image, which is always the
//    element's pixel size. It starts as the fill colour with the picture drawn
//    at the top-left; what is drawn stays until drawn over; a resize keeps what
//    still fits and paints the new area as a fresh image would be.
//  - An element without one shows its picture from its top-left over its fill
//    colour; drawing into it leaves nothing behind.
//  - With a region, only the pixels inside it show and catch presses; without
//    one, the whole rectangle does. The region is clipped to the current size.
//  - Anything that changes what the strip shows tells the stage which strip
//    pixels to recompose, and nothing more: a hidden element never does.
class StageElement final : public Element {
public:
    // The strip's own surface is the one element without a place in the
    // stacking order; it is the back of the composition and sits at (0, 0).
    StageElement(Stage& stage, const ElementDesign& design, bool isStrip);
    // A hidden copy of another element (a new instance of an element array).
    StageElement(const StageElement& lowest, Stage& stage);

    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
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

    void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) override;
    int32_t ReadPoint(int x, int y) const override;
    void SetPoint(int x, int y, Colour colour) override;
    void FillBox(int x, int y, int w, int h, Colour colour) override;

    RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) override;

    // For the stage: names, placement and what the element shows.
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    bool HasPersistentImage() const { return persistent_; }
    // The element's rectangle in strip pixels.
    PixelRect StripRect() const { return pixels_; }
    // The strip pixels the element's outline can cover: its rectangle cut to
    // its region's bounds; empty for an empty region.
    PixelRect OutlineBounds() const;
    // Calls show(a, b) for each run [a, b) of element row y that shows and
    // lies within [x0, x1), clipped to the element's size. Without a region
    // that is the one run of the whole row.
    template <typename Show>
    void ForEachShownRun(int y, int x0, int x1, Show show) const
    {
        const int w = PixelWidth();
        if (y < 0 || y >= PixelHeight()) {
            return;
        }
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w);
        if (x1 <= x0) {
            return;
        }
        if (!outline_) {
            show(x0, x1);
            return;
        }
        for (const PixelSpan& run : RunsFrom(outline_->Row(y), x0)) {
            if (run.x0 >= x1) {
                break;
            }
            show(std::max(run.x0, x0), std::min(run.x1, x1));
        }
    }
    bool OutlineContains(int x, int y) const;
    // Copies the colours the element shows at element pixels [x0, x1) of row y
    // into dest (three bytes per pixel). The range must lie inside the element.
    void ReadShownRow(int y, int x0, int x1, uint8_t* dest) const;
    const Bitmap& Image() const { return image_; }

    int PixelWidth() const { return pixels_.w; }
    int PixelHeight() const { return pixels_.h; }

private:
    // The pixel rectangle from the twips as they stand now.
    PixelRect PixelsOfTwips() const;
    // Rebuilds the image as a fresh one: fill colour, then the picture.
    void RepaintImage(Bitmap& image) const;
    void ResizeImage();
    // Tells the stage that element pixels in rect changed what they show.
    void InvalidateElementArea(const PixelRect& rect);
    void InvalidateShown();
    // Runs a geometry change and invalidates the old and new outline if the
    // pixel rectangle moved or changed size.
    template <typename Change>
    void ChangeGeometry(Change change);

    Stage& stage_;
    std::string name_;
    int index_ = 0;
    bool isStrip_ = false;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    // The twips in strip pixels, kept with them: the composition asks for
    // them for every element row on every tick, and the stage's twips per
    // pixel never change.
    PixelRect pixels_;
    bool visible_ = true;
    Colour fill_{};
    Picture picture_;
    bool persistent_ = false;
    Bitmap image_;
    std::shared_ptr<const ElementOutline> outline_;  // none: the whole rectangle shows
};

}  // namespace seastrip
