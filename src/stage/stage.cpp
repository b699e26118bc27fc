#include "stage/stage.h"

#include <algorithm>
#include <stdexcept>

#include "stage/pixel_rect.h"
#include "stage/stage_element.h"

namespace seastrip {

namespace {

// The strip surface before the load sizes it: no pixels yet, a persistent
// image, shown.
ElementDesign StripDesign()
{
    ElementDesign design;
    design.name = "frmBG";
    design.persistentImage = true;
    design.visible = true;
    return design;
}

}  // namespace

Stage::Stage(int screenWidthPx, int screenHeightPx, float twipsPerPixelX, float twipsPerPixelY)
    : screenWidthPx_(screenWidthPx), screenHeightPx_(screenHeightPx), tppX_(twipsPerPixelX), tppY_(twipsPerPixelY)
{
    strip_ = std::make_unique<StageElement>(*this, StripDesign(), true);
}

Stage::~Stage() = default;

Element& Stage::Strip() { return *strip_; }

Element& Stage::CreateElement(const ElementDesign& design)
{
    elements_.push_back(std::make_unique<StageElement>(*this, design, false));
    StageElement* element = elements_.back().get();
    stacking_.push_back(element);
    if (element->Visible()) {
        Invalidate(element->OutlineBounds());
    }
    return *element;
}

Element& Stage::CreateInstance(const Element& lowest)
{
    const auto owned = std::find_if(elements_.begin(), elements_.end(),
                                    [&](const std::unique_ptr<StageElement>& e) { return e.get() == &lowest; });
    if (owned == elements_.end()) {
        throw std::invalid_argument("Stage::CreateInstance: the element does not belong to this stage");
    }
    // The copy starts hidden, so it changes nothing on the strip yet.
    elements_.push_back(std::make_unique<StageElement>(**owned, *this));
    StageElement* element = elements_.back().get();
    stacking_.push_back(element);
    return *element;
}

void Stage::DestroyElement(const Element& element)
{
    const auto owned = std::find_if(elements_.begin(), elements_.end(),
                                    [&](const std::unique_ptr<StageElement>& e) { return e.get() == &element; });
    if (owned == elements_.end()) {
        throw std::invalid_argument("Stage::DestroyElement: the element does not belong to this stage");
    }
    if ((*owned)->Visible()) Invalidate((*owned)->OutlineBounds());
    stacking_.erase(std::find(stacking_.begin(), stacking_.end(), owned->get()));
    elements_.erase(owned);
}

void Stage::Restack(StageElement* element)
{
    const auto it = std::find(stacking_.begin(), stacking_.end(), element);
    if (it != stacking_.end()) {
        std::rotate(it, it + 1, stacking_.end());
    }
}

const Element* Stage::HitTest(int x, int y) const
{
    for (auto it = stacking_.rbegin(); it != stacking_.rend(); ++it) {
        const StageElement* element = *it;
        if (!element->Visible()) {
            continue;
        }
        const PixelRect rect = element->StripRect();
        if (element->OutlineContains(x - rect.x, y - rect.y)) {
            return element;
        }
    }
    return nullptr;
}

int Stage::ElementCount() const { return static_cast<int>(elements_.size()); }

std::vector<const Element*> Stage::StackingOrder() const
{
    return std::vector<const Element*>(stacking_.begin(), stacking_.end());
}

const char* Stage::NameOf(const Element& element)
{
    return static_cast<const StageElement&>(element).Name().c_str();
}

int Stage::IndexOf(const Element& element) { return static_cast<const StageElement&>(element).Index(); }

void Stage::Invalidate(const PixelRect& rect)
{
    // Only the frame can change; an element moving about below the strip
    // must not widen the rectangle that the front repaints.
    PixelRect inFrame = Intersect(rect, strip_->StripRect());
    if (inFrame.Empty()) return;
    // Rectangles that meet or touch become one; the rest stay apart, so that
    // changes far from each other are not recomposed as one wide box.
    for (size_t i = 0; i < dirty_.size();) {
        if (!Intersect(Grow(dirty_[i]), inFrame).Empty()) {
            inFrame = Union(inFrame, dirty_[i]);
            dirty_.erase(dirty_.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    dirty_.push_back(inFrame);
    if (dirty_.size() > kMaxDirtyRects) MergeCheapestPair(dirty_);
}

void Stage::InvalidateAll() { allDirty_ = true; }

}  // namespace seastrip
