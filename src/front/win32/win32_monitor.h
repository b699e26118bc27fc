#pragma once

#include "front/win32/win32_scale.h"

namespace seastrip {

// A monitor as the strip needs it: where it is, its work area (what the
// taskbar leaves free) and its dots per inch, all in device pixels.
struct MonitorPlace {
    PixelBox monitor;
    PixelBox work;
    int dpi = 96;
};

// The monitor the strip sits on: the index-th in the system's enumeration
// order, or the primary one when the index is negative or no such monitor is
// attached now.
MonitorPlace FindMonitor(int index);

}  // namespace seastrip
