#pragma once

namespace seastrip {

// Runs the real program with its own timers and message loop, and once the
// given milliseconds have passed, spoils every region record, so that the
// next outline the program applies fails as a refused region would.
int RunFailingRegions(int afterMs);

// Runs the real program with its own timers and message loop while a second
// thread takes commands from standard input, one a line, and answers each
// with one line on standard output:
//   work BOTTOM   sets the work area's bottom edge (full width, from the top)
//                 through the system parameter, announcing the change
//   quiet BOTTOM  the same without announcing it
//   taskbar       announces a (re)started taskbar to every window
//   churn N       N such changes, alternating, then N more between the GDI
//                 and USER counts, then the first bottom again
//   quit          ends the program
int RunDesktopCommands();

// Runs the real program and hands it, in turn, the notices that say nobody
// can see the strip (the session locked, the display off, a full-screen
// window over it) and then that somebody can again; prints "ok: ..." or
// "FAIL: ..." for what it checks: no tick while unseen, except the wave
// sound's wakeups when the sound is on, and the strip brought up to date at
// once on return, the waves on their old beat. Exit status 0 when all held.
int RunUnseen();

// Runs the real program with the wave sound off: says "seen" and lets the
// given seconds pass, then hands it the session lock's notice, says "unseen"
// and lets them pass again, then the unlock's: a stretch in sight and one out
// of sight for a bench to measure from outside.
int HoldUnseen(int seconds);

// The floor the program's running cost is measured against: a window of the
// strip's size on the bottom of the primary monitor with timers at the
// program's two intervals that do nothing, and nothing drawn.
int RunFloor();

// Prints the title of the desktop's foreground window (the one that gets the
// keys), or nothing when there is none.
int PrintForeground();

// Prints where a toolbar asking for the screen's bottom edge now would have
// to end ("free bottom N"): above the rows other toolbars keep.
int PrintFreeBottom();

}  // namespace seastrip
