#include "stage/stage_element.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "stage/pixel_rect.h"

namespace seastrip {

StageElement::StageElement(Stage& stage, const ElementDesign& design, bool isStrip)
    : stage_(stage),
      name_(design.name != nullptr ? design.name : ""),
      index_(design.index),
      isStrip_(isStrip),
      left_(design.left),
      top_(design.top),
      width_(design.width),
      height_(design.height),
      pixels_(PixelsOfTwips()),
      visible_(design.visible),
      fill_(design.fill),
      picture_(design.picture),
      persistent_(design.persistentImage || isStrip)
{
    if (persistent_) {
        image_ = Bitmap(PixelWidth(), PixelHeight());
        RepaintImage(image_);
    }
}

StageElement::StageElement(const StageElement& lowest, Stage& stage)
    : stage_(stage),
      name_(lowest.name_),
      index_(lowest.index_),
      isStrip_(false),
      left_(lowest.left_),
      top_(lowest.top_),
      width_(lowest.width_),
      height_(lowest.height_),
      pixels_(PixelsOfTwips()),
      visible_(false),
      fill_(lowest.fill_),
      picture_(lowest.picture_),
      persistent_(lowest.persistent_),
      image_(lowest.image_),
      outline_(lowest.outline_)
{
}

PixelRect StageElement::PixelsOfTwips() const
{
    const int w = std::max(0, PixelsFromTwips(width_, stage_.TwipsPerPixelX()));
    const int h = std::max(0, PixelsFromTwips(height_, stage_.TwipsPerPixelY()));
    if (isStrip_) {
        return PixelRect{0, 0, w, h};
    }
    return PixelRect{PixelsFromTwips(left_, stage_.TwipsPerPixelX()), PixelsFromTwips(top_, stage_.TwipsPerPixelY()), w,
                     h};
}

PixelRect StageElement::OutlineBounds() const
{
    const PixelRect rect = StripRect();
    // The strip's own outline would cut the desktop window, which a frame
    // cannot show; the frame always holds the whole strip.
    if (isStrip_ || !outline_) {
        return rect;
    }
    return Intersect(rect, Offset(outline_->Bounds(), rect.x, rect.y));
}

bool StageElement::OutlineContains(int x, int y) const
{
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) {
        return false;
    }
    return !outline_ || isStrip_ || outline_->Contains(x, y);
}

void StageElement::InvalidateShown() { stage_.Invalidate(OutlineBounds()); }

void StageElement::InvalidateElementArea(const PixelRect& rect)
{
    if (rect.Empty() || (!visible_ && !isStrip_)) {
        return;
    }
    const PixelRect own = StripRect();
    stage_.Invalidate(Intersect(Offset(rect, own.x, own.y), OutlineBounds()));
}

template <typename Change>
void StageElement::ChangeGeometry(Change change)
{
    const PixelRect before = StripRect();
    const PixelRect shownBefore = OutlineBounds();
    change();
    pixels_ = PixelsOfTwips();
    const PixelRect after = pixels_;
    if (after == before) {
        return;
    }
    const bool resized = after.w != before.w || after.h != before.h;
    if (resized) {
        ResizeImage();
    }
    if (isStrip_) {
        // The strip's size is the frame's size; the whole frame is recomposed.
        if (resized) {
            stage_.InvalidateAll();
        }
        return;
    }
    if (visible_) {
        stage_.Invalidate(shownBefore);
        InvalidateShown();
    }
}

void StageElement::SetLeft(float twips)
{
    ChangeGeometry([&] { left_ = twips; });
}

void StageElement::SetTop(float twips)
{
    ChangeGeometry([&] { top_ = twips; });
}

void StageElement::SetWidth(float twips)
{
    ChangeGeometry([&] { width_ = twips; });
}

void StageElement::SetHeight(float twips)
{
    ChangeGeometry([&] { height_ = twips; });
}

void StageElement::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    // The strip is the back of every frame whether or not it is shown.
    if (!isStrip_) {
        InvalidateShown();
    }
}

void StageElement::BringToFront()
{
    if (isStrip_ || stage_.stacking_.empty() || stage_.stacking_.back() == this) {
        return;
    }
    stage_.Restack(this);
    if (visible_) {
        InvalidateShown();
    }
}

void StageElement::RepaintImage(Bitmap& image) const
{
    image.Fill(fill_);
    if (!picture_) {
        return;
    }
    const int w = std::min(image.width, picture_->width);
    const int h = std::min(image.height, picture_->height);
    for (int y = 0; y < h; ++y) {
        std::memcpy(&image.rgb[static_cast<size_t>(y) * image.width * 3],
                    &picture_->rgb[static_cast<size_t>(y) * picture_->width * 3], static_cast<size_t>(w) * 3);
    }
}

void StageElement::ResizeImage()
{
    if (!persistent_) {
        return;
    }
    Bitmap resized(PixelWidth(), PixelHeight());
    RepaintImage(resized);
    const int w = std::min(resized.width, image_.width);
    const int h = std::min(resized.height, image_.height);
    for (int y = 0; y < h; ++y) {
        std::memcpy(&resized.rgb[static_cast<size_t>(y) * resized.width * 3],
                    &image_.rgb[static_cast<size_t>(y) * image_.width * 3], static_cast<size_t>(w) * 3);
    }
    image_ = std::move(resized);
}

void StageElement::SetFillColour(Colour colour)
{
    if (!persistent_) {
        if (colour == fill_) {
            return;
        }
        fill_ = colour;
        if (visible_) {
            InvalidateShown();
        }
        return;
    }
    // A refill is a repaint of the background: whatever was drawn is gone.
    fill_ = colour;
    Bitmap fresh(image_.width, image_.height);
    RepaintImage(fresh);
    if (fresh.rgb == image_.rgb) {
        return;
    }
    image_ = std::move(fresh);
    InvalidateElementArea(PixelRect{0, 0, image_.width, image_.height});
}

void StageElement::TakePictureOf(const Element& source)
{
    Picture taken = source.GetPicture();
    if (taken == picture_) {
        return;
    }
    picture_ = std::move(taken);
    if (!persistent_) {
        if (visible_) {
            InvalidateShown();
        }
        return;
    }
    // A new picture replaces the image as a fresh repaint would draw it.
    Bitmap fresh(image_.width, image_.height);
    RepaintImage(fresh);
    if (fresh.rgb != image_.rgb) {
        image_ = std::move(fresh);
        InvalidateElementArea(PixelRect{0, 0, image_.width, image_.height});
    }
}

RegionResult StageElement::ApplyRegionData(const uint8_t* record, uint32_t byteCount)
{
    std::shared_ptr<const ElementOutline> outline = stage_.Outlines().Get(record, byteCount);
    if (!outline) {
        return RegionResult::CreateFailed;
    }
    if (outline_ && (outline_ == outline || *outline_ == *outline)) {
        return RegionResult::Ok;
    }
    const PixelRect shownBefore = OutlineBounds();
    outline_ = std::move(outline);
    if (visible_ && !isStrip_) {
        stage_.Invalidate(shownBefore);
        InvalidateShown();
    }
    return RegionResult::Ok;
}

}  // namespace seastrip
