#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/colour.h"

namespace seastrip {

// The mouse buttons a press on the strip can come from.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// How giving an element an outline can fail: the platform could not build a
// region from the record, or could not make it the element's outline.
enum class RegionResult { Ok, CreateFailed, SetFailed };

// One picture element of the strip (or the strip's own surface).
//
// Geometry is in twips, as single-precision values; the platform turns it into
// pixels with its twips-per-pixel factors. Drawing works in pixels of the
// element's persistent image, whose size follows the element's size.
//
// What an element shows, inside its outline:
//  - an element with a persistent image shows that image; the image starts as
//    the fill colour with the picture drawn at its top-left, and whatever is
//    drawn into it stays until drawn over;
//  - otherwise it shows its picture from its top-left, over its fill colour.
class Element {
public:
    virtual ~Element() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;

    // Puts the element in front of all its siblings.
    virtual void BringToFront() = 0;

    virtual Colour FillColour() const = 0;
    // Sets the fill colour; an element with a persistent image is refilled with
    // it (and its picture drawn again), as a repaint of the background does.
    virtual void SetFillColour(Colour colour) = 0;

    // The bitmap the element holds, or null.
    virtual Picture GetPicture() const = 0;
    // Takes the other element's picture reference; an element whose source has
    // no picture shows its fill colour.
    virtual void TakePictureOf(const Element& source) = 0;

    // Persistent image operations, in image pixels. Copies the source rectangle
    // of the bitmap onto the destination rectangle, stretched (plain copy).
    virtual void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                             int dh) = 0;
    // The colour at a point, packed, or kNoPixel outside the image.
    virtual int32_t ReadPoint(int x, int y) const = 0;
    virtual void SetPoint(int x, int y, Colour colour) = 0;
    // A filled one-colour box from (x, y), w by h pixels, clipped to the image.
    virtual void FillBox(int x, int y, int w, int h, Colour colour) = 0;

    // Gives the element the outline held in a region record (the platform's
    // RGNDATA layout, byteCount bytes of it). Rectangles are element pixels.
    virtual RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) = 0;
};

}  // namespace seastrip
