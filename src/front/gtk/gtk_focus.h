#pragma once

// The focus policy: the strip never takes the keyboard or asks for the
// user's attention; the menu and the version dialog, which the user has
// just asked for, take the keyboard and give it back when they close.

#include <gtk/gtk.h>

namespace seastrip {

// The keyboard focus as it stands when this is made, given back when it is
// destroyed: the menu and the version dialog take it while they are open,
// and afterwards the window the user was working in has it again. Nothing
// on a desktop that does not let one program hand focus to another.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    unsigned long window_ = 0;  // the X window that had the focus, or none
    bool viaWindowManager_ = false;
};

// Gives a window the user has just asked for the keyboard, even when
// another program's window has it.
void Activate(GtkWindow* window);

// The time of the user's last press or key on the program's windows, for a
// window the user has just asked for, so the window manager lets it take the
// focus.
guint32 LastUserTime();

// Takes back a demand for the user's attention that the window manager put
// on the strip (some do when they refuse a new window the focus, which the
// strip never wanted): nothing about an ornament is urgent. Call when the
// window's state changes; a window without the demand is left alone.
void RefuseAttention(GdkWindow* window);

}  // namespace seastrip
