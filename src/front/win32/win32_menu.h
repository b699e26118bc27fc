#pragma once

#include <windows.h>

#include <array>

namespace seastrip {

enum class MenuCommand { None, Scene, Sound, Version, Exit };

struct MenuChoice {
    MenuCommand command = MenuCommand::None;
    int index = 0;  // the item of the scene or sound group
};

// The popup menu's check marks, as the program keeps them; the menu is
// designed with "auto" and "sound on" checked.
struct MenuChecks {
    std::array<bool, 5> scene{true, false, false, false, false};
    std::array<bool, 2> sound{true, false};
};

// Builds the popup menu with the given check marks, opens it at the mouse
// position and returns the item chosen when it closes.
MenuChoice TrackStripMenu(HWND owner, const MenuChecks& checks);

}  // namespace seastrip
