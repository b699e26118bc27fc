#include "front/common/strip_element.h"

namespace seastrip {

void StripElement::SetLeft(float twips)
{
    surface_.SetLeft(twips);
    host_.Place(surface_);
}

void StripElement::SetTop(float twips)
{
    surface_.SetTop(twips);
    host_.Place(surface_);
}

void StripElement::SetWidth(float twips)
{
    surface_.SetWidth(twips);
    host_.Place(surface_);
}

void StripElement::SetHeight(float twips)
{
    surface_.SetHeight(twips);
    host_.Place(surface_);
}

void StripElement::SetVisible(bool visible)
{
    surface_.SetVisible(visible);
    shown_ = visible;
    host_.Show(visible);
}

}  // namespace seastrip
