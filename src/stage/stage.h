#pragma once

#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/element.h"
#include "platform/element_design.h"
#include "platform/twips.h"
#include "stage/outline_cache.h"
#include "stage/pixel_rect.h"

namespace seastrip {

class StageElement;

// The software stage: the strip's surface and its elements on pixel buffers,
// composed into one RGB frame. It is the reference for what an element does.
class Stage {
public:
    Stage(int screenWidthPx, int screenHeightPx, float twipsPerPixelX = kTwipsPerPixel,
          float twipsPerPixelY = kTwipsPerPixel);
    ~Stage();
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    float TwipsPerPixelX() const { return tppX_; }
    float TwipsPerPixelY() const { return tppY_; }
    int ScreenWidthPx() const { return screenWidthPx_; }
    int ScreenHeightPx() const { return screenHeightPx_; }
    // The screen changed size (the strip follows when the program re-lays it).
    void SetScreenSize(int widthPx, int heightPx)
    {
        screenWidthPx_ = widthPx;
        screenHeightPx_ = heightPx;
    }

    // The strip's own surface (a persistent image; its position is the
    // window's place on the screen, its size the frame's size).
    Element& Strip();
    Element& CreateElement(const ElementDesign& design);
    Element& CreateInstance(const Element& lowest);
    // Removes an element made by CreateElement or CreateInstance.
    void DestroyElement(const Element& element);

    // Composes the strip and every visible element, in stacking order and cut
    // to their outlines, into the frame (strip width x strip height pixels).
    // Only what changed since the last call is recomposed.
    const Bitmap& Compose();
    // The part of the frame that the last Compose changed: the bounding
    // rectangle, and the few separate rectangles it was recomposed as (a
    // shooting star at the top and the waves at the bottom stay apart).
    PixelRect ChangedRect() const { return changed_; }
    const std::vector<PixelRect>& ChangedRects() const { return changedRects_; }
    const Bitmap& Frame() const { return frame_; }

    // Which element a press at strip pixel (x, y) reaches: a visible element
    // whose outline covers the point, frontmost first; null for the strip.
    const Element* HitTest(int x, int y) const;

    int ElementCount() const;
    // Elements in stacking order, back to front (for tests and debug views).
    std::vector<const Element*> StackingOrder() const;
    // The name and index an element was designed with.
    static const char* NameOf(const Element& element);
    static int IndexOf(const Element& element);

    // The outlines the elements have been given, shared among them.
    OutlineCache& Outlines() { return outlines_; }

    // Called by elements when something they show changes (strip pixels).
    void Invalidate(const PixelRect& rect);
    void InvalidateAll();

private:
    friend class StageElement;
    void Restack(StageElement* element);

    int screenWidthPx_;
    int screenHeightPx_;
    float tppX_;
    float tppY_;
    std::unique_ptr<StageElement> strip_;
    std::vector<std::unique_ptr<StageElement>> elements_;  // owned, creation order
    std::vector<StageElement*> stacking_;                   // back to front
    Bitmap frame_;
    std::vector<PixelRect> dirty_;
    PixelRect changed_;
    std::vector<PixelRect> changedRects_;
    bool allDirty_ = true;
    OutlineCache outlines_;
};

}  // namespace seastrip
