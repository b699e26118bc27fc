#pragma once

// The strip as a layer surface on a Wayland compositor that offers
// layer-shell: anchored to the bottom, left and right edges of its output,
// in the bottom layer (above the wallpaper, below windows), sitting on any
// panel that reserves the bottom edge and reserving nothing itself, and
// never taking the keyboard. The compositor, not the program, decides where
// it goes and how wide it is; the program learns the width from the
// window's size allocation.

#include <gtk/gtk.h>

namespace seastrip {

// True when the default display is Wayland and its compositor offers
// layer-shell surfaces.
bool LayerShellAvailable();

// Makes the window a layer surface of the given height in logical pixels on
// the given monitor (null leaves the output to the compositor). Call before
// the window is realized and after its other settings: it makes the window
// resizable again, since the compositor sets its width. Returns false,
// leaving the window an ordinary top-level window, where layer-shell is not
// available.
bool MakeLayerSurface(GtkWindow* window, GdkMonitor* monitor, int height);

// Makes the layer surface reserve its own height along the output's bottom
// edge, so that windows are laid out above it, and puts it in the top layer:
// a reserved row is the strip's alone, always in view, so not even a
// floating window dragged across it covers it. Where it goes beside a bar
// that reserves the same edge is the compositor's choice (sway puts the
// strip on the edge, the bar above it).
void ReserveLayerRow(GtkWindow* window, int height);

// Moves a layer surface to another monitor (null: the compositor's choice).
void SetLayerMonitor(GtkWindow* window, GdkMonitor* monitor);

bool IsLayerSurface(GtkWindow* window);

// Called with the width the compositor gave the surface: once at the first
// configure and again whenever it changes (a new output resolution, a panel
// at the side). Heights are fixed, so only the width is reported.
using LayerWidthChanged = void (*)(int width, void* data);
void WatchLayerWidth(GtkWindow* window, LayerWidthChanged changed, void* data);

}  // namespace seastrip
