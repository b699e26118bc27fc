#pragma once

#include <windows.h>

#include "platform/menu_marks.h"

namespace seastrip {

// Builds the popup menu with the given check marks, opens it at the mouse
// position and returns the item chosen when it closes. The owner is made the
// foreground window for it and stays so.
MenuChoice TrackStripMenu(HWND owner, const MenuMarks& marks);

// Gives the foreground back to the window that had it before the strip took
// it for a menu or a dialog; nothing when that was the strip or is gone.
void RestoreForeground(HWND previous, HWND strip);

}  // namespace seastrip
