#pragma once

#include <windows.h>

#include <array>

namespace seastrip {

enum class MenuCommand { None, Scene, Sound, Version, Exit };

struct MenuChoice {
    MenuCommand command = MenuCommand::None;
    int index = 0;  // the item of the scene or sound group
};

// The popup menu's check marks, as the program keeps them.
struct MenuChecks {
    std::array<bool, 5> scene{};
    std::array<bool, 2> sound{};
};

// Builds the popup menu with the given check marks, opens it at the mouse
// position and returns the item chosen when it closes.
MenuChoice TrackStripMenu(HWND owner, const MenuChecks& checks);

}  // namespace seastrip
