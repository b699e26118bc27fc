#pragma once

#include <string>

namespace seastrip {

// Shows the failure message, a modal box with one OK button, and returns
// when the user has closed it. The caller has stopped everything that could
// run behind it.
void ShowFailureMessage(const std::string& text);

// Ends the program at once with the exit status: nothing is saved and no
// window gets a closing event; the windows go with the display connection.
[[noreturn]] void EndProgram(int status);

// From now on a lost connection to the display (the X server went away)
// ends the program with one line on standard error naming the display, and
// exit status 1.
void EndOnLostDisplay();

}  // namespace seastrip
