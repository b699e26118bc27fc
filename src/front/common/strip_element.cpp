#include "front/common/strip_element.h"

namespace seastrip {

void StripElement::Reshape(void (Element::*set)(float), float twips)
{
    (surface_.*set)(twips);
    host_.Place(surface_);
}

void StripElement::SetVisible(bool visible)
{
    surface_.SetVisible(visible);
    shown_ = visible;
    host_.Show(visible);
}

}  // namespace seastrip
