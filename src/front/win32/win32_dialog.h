#pragma once

#include <windows.h>

namespace seastrip {

// Shows the version dialog modally and returns when it has been closed. The
// owner window, if any, takes no input meanwhile.
void RunVersionDialog(HINSTANCE instance, HWND owner);

}  // namespace seastrip
