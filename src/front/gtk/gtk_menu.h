#pragma once

#include "platform/menu_marks.h"

namespace seastrip {

// Builds the popup menu with the given check marks, opens it at the pointer
// and returns the item chosen when it closes (nothing when it was dismissed
// or could not open).
MenuChoice OpenStripMenu(const MenuMarks& marks);

}  // namespace seastrip
