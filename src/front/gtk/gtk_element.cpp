#include "front/gtk/gtk_element.h"

#include "front/gtk/gtk_window.h"

namespace seastrip {

void GtkStripElement::SetLeft(float twips)
{
    surface_.SetLeft(twips);
    window_.Place(surface_);
}

void GtkStripElement::SetTop(float twips)
{
    surface_.SetTop(twips);
    window_.Place(surface_);
}

void GtkStripElement::SetWidth(float twips)
{
    surface_.SetWidth(twips);
    window_.Place(surface_);
}

void GtkStripElement::SetHeight(float twips)
{
    surface_.SetHeight(twips);
    window_.Place(surface_);
}

void GtkStripElement::SetVisible(bool visible)
{
    surface_.SetVisible(visible);
    shown_ = visible;
    window_.Show(visible);
}

}  // namespace seastrip
