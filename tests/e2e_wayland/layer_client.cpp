// A stand-in for the strip that the Wayland tests drive: the same backend
// choice and the same layer surface as the program, showing one flat colour
// so a screenshot tells exactly where the surface lies. It reports on
// standard output what it became and every width the compositor gives it:
//   backend x11|wayland
//   layer yes|no
//   width N
#include <gdk/gdkwayland.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdio>

#include "front/gtk/gtk_backend.h"
#include "front/gtk/gtk_command_line.h"
#include "front/gtk/gtk_layer.h"
#include "front/gtk/gtk_monitor.h"

namespace {

constexpr int kHeight = 28;

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer)
{
    cairo_set_source_rgb(cr, 1.0, 0.5, 0.0);  // #FF8000
    cairo_paint(cr);
    return TRUE;
}

void OnWidth(int width, void*)
{
    std::printf("width %d\n", width);
}

}  // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    seastrip::CommandLine options;
    if (auto status = seastrip::ReadCommandLine(argc, argv, options)) return *status;
    seastrip::ApplyBackendChoice(options.backend);
    if (!gtk_init_check(&argc, &argv)) {
        std::fputs("layer_client: cannot open the display\n", stderr);
        return 1;
    }
    GdkDisplay* display = gdk_display_get_default();
    std::printf("backend %s\n", GDK_IS_WAYLAND_DISPLAY(display) ? "wayland" : GDK_IS_X11_DISPLAY(display) ? "x11" : "other");

    // Set up as the strip's window is: undecorated, fixed size, never focused.
    GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(widget);
    gtk_window_set_title(window, "Seastrip layer test");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    g_signal_connect(widget, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

    GdkMonitor* monitor = seastrip::ChosenMonitor(display, options.monitor);
    const bool layer = seastrip::MakeLayerSurface(window, monitor, kHeight);
    std::printf("layer %s\n", layer && seastrip::IsLayerSurface(window) ? "yes" : "no");
    if (layer) {
        seastrip::WatchLayerWidth(window, OnWidth, nullptr);
    } else {
        gtk_window_set_default_size(window, 400, kHeight);
    }

    GtkWidget* canvas = gtk_drawing_area_new();
    g_signal_connect(canvas, "draw", G_CALLBACK(OnDraw), nullptr);
    gtk_container_add(GTK_CONTAINER(widget), canvas);
    gtk_widget_show_all(widget);
    gtk_main();
    return 0;
}
