#pragma once

#include <gtk/gtk.h>

namespace seastrip {

// Shows the version dialog modally, centred over the strip (the window and
// its place on the screen), takes the keyboard for it, and returns when it
// has been closed.
void RunVersionDialog(GtkWindow* strip, const GdkRectangle& stripRect);

}  // namespace seastrip
