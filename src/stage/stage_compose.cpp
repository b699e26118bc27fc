#include <cstring>

#include "stage/pixel_rect.h"
#include "stage/stage.h"
#include "stage/stage_element.h"

namespace seastrip {

namespace {

// Paints one area of the frame: the strip's image, then every shown element
// back to front, each only within its outline. Work follows the area and the
// elements that overlap it, never the whole strip.
void ComposeArea(Bitmap& frame, const StageElement& strip, const std::vector<StageElement*>& stacking,
                 const PixelRect& area)
{
    const Bitmap& back = strip.Image();
    for (int y = area.y; y < area.y + area.h; ++y) {
        const size_t offset = (static_cast<size_t>(y) * frame.width + area.x) * 3;
        std::memcpy(&frame.rgb[offset], &back.rgb[offset], static_cast<size_t>(area.w) * 3);
    }
    for (const StageElement* element : stacking) {
        if (!element->Visible()) {
            continue;
        }
        const PixelRect part = Intersect(element->OutlineBounds(), area);
        if (part.Empty()) {
            continue;
        }
        const PixelRect rect = element->StripRect();
        for (int y = part.y; y < part.y + part.h; ++y) {
            const int ey = y - rect.y;
            uint8_t* row = &frame.rgb[static_cast<size_t>(y) * frame.width * 3];
            element->ForEachShownRun(ey, part.x - rect.x, part.x + part.w - rect.x, [&](int x0, int x1) {
                element->ReadShownRow(ey, x0, x1, row + static_cast<size_t>(rect.x + x0) * 3);
            });
        }
    }
}

}  // namespace

const Bitmap& Stage::Compose()
{
    const PixelRect whole = strip_->StripRect();
    if (frame_.width != whole.w || frame_.height != whole.h) {
        frame_ = Bitmap(whole.w, whole.h);
        allDirty_ = true;
    }
    changedRects_.clear();
    if (allDirty_) {
        if (!whole.Empty()) changedRects_.push_back(whole);
    } else {
        for (const PixelRect& rect : dirty_) {
            const PixelRect area = Intersect(rect, whole);
            if (!area.Empty()) changedRects_.push_back(area);
        }
    }
    allDirty_ = false;
    dirty_.clear();
    changed_ = PixelRect{};
    for (const PixelRect& area : changedRects_) {
        ComposeArea(frame_, *strip_, stacking_, area);
        changed_ = Union(changed_, area);
    }
    return frame_;
}

}  // namespace seastrip
