#include "front/gtk/gtk_monitor.h"

namespace seastrip {

GdkMonitor* ChosenMonitor(GdkDisplay* display, const MonitorChoice& choice)
{
    const int count = gdk_display_get_n_monitors(display);
    if (choice.number) return *choice.number < count ? gdk_display_get_monitor(display, *choice.number) : nullptr;
    if (choice.name.empty()) return nullptr;
    for (int i = 0; i < count; ++i) {
        if (ConnectorName(display, i) == choice.name) return gdk_display_get_monitor(display, i);
    }
    return nullptr;
}

GdkMonitor* DefaultMonitor(GdkDisplay* display)
{
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    return monitor;
}

GdkMonitor* StripMonitor(GdkDisplay* display, const MonitorChoice& choice)
{
    GdkMonitor* chosen = ChosenMonitor(display, choice);
    return chosen ? chosen : DefaultMonitor(display);
}

// GTK 3 gives the connector's name only through the screen's plug name (the
// RandR output on X11, the output's announced name on Wayland); the model
// stands in where that is missing.
std::string ConnectorName(GdkDisplay* display, int index)
{
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gchar* plug = gdk_screen_get_monitor_plug_name(gdk_display_get_default_screen(display), index);
    G_GNUC_END_IGNORE_DEPRECATIONS
    std::string name = plug ? plug : "";
    g_free(plug);
    if (name.empty()) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, index);
        const char* model = monitor ? gdk_monitor_get_model(monitor) : nullptr;
        if (model) name = model;
    }
    return name;
}

}  // namespace seastrip
