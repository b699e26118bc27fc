// The strip's layer surface, through gtk-layer-shell.
#include "front/gtk/gtk_layer.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>

namespace seastrip {
namespace {

struct WidthWatch {
    LayerWidthChanged changed;
    void* data;
    int width;  // the last width reported; 0 before the first
};

void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data)
{
    auto* watch = static_cast<WidthWatch*>(data);
    if (allocation->width <= 1 || allocation->width == watch->width) return;
    watch->width = allocation->width;
    watch->changed(allocation->width, watch->data);
}

}  // namespace

bool LayerShellAvailable()
{
    GdkDisplay* display = gdk_display_get_default();
    return display && GDK_IS_WAYLAND_DISPLAY(display) && gtk_layer_is_supported();
}

bool MakeLayerSurface(GtkWindow* window, GdkMonitor* monitor, int height)
{
    if (!LayerShellAvailable()) return false;
    gtk_layer_init_for_window(window);
    gtk_layer_set_namespace(window, "seastrip");
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_BOTTOM);
    gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_BOTTOM, TRUE);
    gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_LEFT, TRUE);
    gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_RIGHT, TRUE);
    gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_TOP, FALSE);
    // Zero: kept clear of panels' reserved edges, reserving none itself, so
    // windows may cover the strip as they cover a desktop picture.
    gtk_layer_set_exclusive_zone(window, 0);
    gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
    gtk_layer_set_monitor(window, monitor);
    // Anchored to both sides, the surface takes the width the compositor
    // gives; only the height is asked for. A window GTK may not resize keeps
    // its own natural width and never shows at the given one.
    gtk_window_set_resizable(window, TRUE);
    gtk_widget_set_size_request(GTK_WIDGET(window), -1, height);
    return true;
}

void ReserveLayerRow(GtkWindow* window, int height)
{
    if (!IsLayerSurface(window)) return;
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_TOP);
    gtk_layer_set_exclusive_zone(window, height);
}

void SetLayerMonitor(GtkWindow* window, GdkMonitor* monitor)
{
    if (IsLayerSurface(window)) gtk_layer_set_monitor(window, monitor);
}

bool IsLayerSurface(GtkWindow* window)
{
    GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
    return GDK_IS_WAYLAND_DISPLAY(display) && gtk_layer_is_layer_window(window);
}

void WatchLayerWidth(GtkWindow* window, LayerWidthChanged changed, void* data)
{
    auto* watch = new WidthWatch{changed, data, 0};
    g_signal_connect_data(window, "size-allocate", G_CALLBACK(OnSizeAllocate), watch,
                          [](gpointer p, GClosure*) { delete static_cast<WidthWatch*>(p); }, GConnectFlags{});
}

}  // namespace seastrip
