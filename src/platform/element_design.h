#pragma once

#include "platform/bitmap.h"
#include "platform/colour.h"

namespace seastrip {

// How an element looks before the strip's load touches it: its design
// rectangle in twips, fill colour, picture, and whether it keeps a persistent
// image that drawing goes into.
struct ElementDesign {
    const char* name = "";
    int index = 0;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    Colour fill{};
    Picture picture{};
    bool persistentImage = false;
    bool visible = true;
};

}  // namespace seastrip
