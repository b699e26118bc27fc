#pragma once

#include <windows.h>

#include <string>

namespace seastrip {

// The failure message: a message box with OK, owned by the strip so that the
// strip takes no input while it is up; then the program ends with status 1.
// The caller has stopped everything else of the program first.
[[noreturn]] void ShowFailureAndEnd(HWND owner, const std::string& text);

// Something the program cannot start without was refused by the system: said
// on standard error and in a message box, with the system's error number,
// then the program ends with status 1.
[[noreturn]] void EndWithSystemError(const std::string& what);

// One line on standard error, where there is one (a program started from a
// console or a script); nothing otherwise.
void WriteErrorLine(const std::string& line);

// Ends the process at once: no further tick, nothing saved.
[[noreturn]] void EndProgram(int status);

}  // namespace seastrip
