#pragma once

#include <windows.h>

#include "platform/menu_marks.h"

namespace seastrip {

// Builds the popup menu with the given check marks, opens it at the mouse
// position and returns the item chosen when it closes.
MenuChoice TrackStripMenu(HWND owner, const MenuMarks& marks);

}  // namespace seastrip
