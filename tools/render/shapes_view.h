#pragma once

#include "platform/bitmap.h"
#include "regions/region_table.h"

namespace seastrip {

// Every outline of the table drawn enlarged, one under the other, each with
// its number beside it and the element's box around it, for people who edit
// the shapes.
Bitmap DrawShapes(const RegionTableBlock& table, int scale = 3);

}  // namespace seastrip
