#pragma once

#include <gtk/gtk.h>

#include <string>

#include "front/gtk/gtk_command_line.h"

namespace seastrip {

// The monitor a choice names while it is connected: the number-th in GDK's
// order, or the one whose connector has the name; null when it is not
// connected now or nothing was chosen.
GdkMonitor* ChosenMonitor(GdkDisplay* display, const MonitorChoice& choice);

// The primary monitor, else the first; null on a display without monitors.
GdkMonitor* DefaultMonitor(GdkDisplay* display);

// Where the strip belongs now: the chosen monitor while it is connected,
// else the default one.
GdkMonitor* StripMonitor(GdkDisplay* display, const MonitorChoice& choice);

// The name of the index-th monitor's connector (HDMI-1, VNC-0, HEADLESS-1),
// or its model where the display system names no connector.
std::string ConnectorName(GdkDisplay* display, int index);

}  // namespace seastrip
