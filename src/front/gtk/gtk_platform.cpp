#include "front/gtk/gtk_platform.h"

#include <canberra.h>

#include <algorithm>
#include <ctime>

#include "pictures/pictures.h"
#include "state/program.h"

namespace seastrip {

MonitorArea ReadMonitorArea()
{
    MonitorArea area;
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? StripMonitor(display) : nullptr;
    if (monitor) {
        gdk_monitor_get_geometry(monitor, &area.geometry);
        gdk_monitor_get_workarea(monitor, &area.workArea);
    }
    return area;
}

GdkMonitor* StripMonitor(GdkDisplay* display)
{
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    return monitor;
}

GdkPixbuf* IconPixbuf()
{
    const Picture icon = pictures::Icon();
    if (!icon || icon->width <= 0 || icon->height <= 0) return nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, icon->width, icon->height);
    if (!pixbuf) return nullptr;
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const size_t rowBytes = static_cast<size_t>(icon->width) * 3;
    for (int y = 0; y < icon->height; ++y) {
        std::copy_n(&icon->rgb[rowBytes * static_cast<size_t>(y)], rowBytes, pixels + static_cast<ptrdiff_t>(stride) * y);
    }
    return pixbuf;
}

GtkPlatform::GtkPlatform()
    : area_(ReadMonitorArea()),
      stage_(area_.geometry.width, area_.geometry.height, kTwipsPerPixel, kTwipsPerPixel),
      strip_(stage_.Strip(), *this)
{
    CreateStripWindow();
    BuildMenu();
}

GtkPlatform::~GtkPlatform()
{
    if (sound_) ca_context_destroy(sound_);
    if (image_) cairo_surface_destroy(image_);
    if (menu_) gtk_widget_destroy(menu_);
    if (window_) gtk_widget_destroy(window_);
}

int GtkPlatform::LocalHour() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 12;
    return local.tm_hour;
}

void GtkStripElement::SetLeft(float twips)
{
    surface_.SetLeft(twips);
    platform_.PlaceStripWindow();
}

void GtkStripElement::SetTop(float twips)
{
    surface_.SetTop(twips);
    platform_.PlaceStripWindow();
}

void GtkStripElement::SetWidth(float twips)
{
    surface_.SetWidth(twips);
    platform_.PlaceStripWindow();
}

void GtkStripElement::SetHeight(float twips)
{
    surface_.SetHeight(twips);
    platform_.PlaceStripWindow();
}

void GtkStripElement::SetVisible(bool visible)
{
    surface_.SetVisible(visible);
    shown_ = visible;
    platform_.ShowStripWindow(visible);
}

}  // namespace seastrip
