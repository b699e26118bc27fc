#include "front/gtk/gtk_window.h"

#include <algorithm>
#include <cstdint>

#include "pictures/pictures.h"
#include "platform/twips.h"
#include "stage/stage.h"

namespace seastrip {
namespace {

// Copies a rectangle of the RGB frame into the cairo image (xRGB words).
void CopyFrameRect(const Bitmap& frame, cairo_surface_t* image, const PixelRect& rect)
{
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(stride) * y);
        const uint8_t* src = &frame.rgb[(static_cast<size_t>(y) * frame.width + rect.x) * 3];
        for (int x = rect.x; x < rect.x + rect.w; ++x, src += 3) {
            row[x] = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | uint32_t{src[2]};
        }
    }
    cairo_surface_mark_dirty_rectangle(image, rect.x, rect.y, rect.w, rect.h);
}

}  // namespace

GtkStripWindow::GtkStripWindow(Stage& stage, const MonitorArea& area)
    : stage_(stage), monitorLeft_(area.geometry.x)
{
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_window_set_title(window, "Seastrip");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_skip_pager_hint(window, TRUE);
    gtk_window_set_keep_above(window, FALSE);
    // A utility window stays in the normal stacking layer (a dock would be
    // kept above everything) and, refusing focus, never takes the keyboard.
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    gtk_window_stick(window);
    if (GdkPixbuf* icon = StripIcon()) {
        gtk_window_set_icon(window, icon);
        g_object_unref(icon);
    }

    canvas_ = gtk_drawing_area_new();
    gtk_widget_add_events(canvas_, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(canvas_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(canvas_, "button-press-event", G_CALLBACK(OnButtonPress), this);
    gtk_container_add(GTK_CONTAINER(window_), canvas_);
    gtk_widget_show(canvas_);
}

GtkStripWindow::~GtkStripWindow()
{
    gtk_widget_destroy(window_);
    if (image_) cairo_surface_destroy(image_);
}

void GtkStripWindow::Place(const Element& strip)
{
    const int left = PixelsFromTwips(strip.Left(), kStripTwipsPerPixel);
    const int top = PixelsFromTwips(strip.Top(), kStripTwipsPerPixel);
    const int width = std::max(1, PixelsFromTwips(strip.Width(), kStripTwipsPerPixel));
    const int height = std::max(1, PixelsFromTwips(strip.Height(), kStripTwipsPerPixel));
    rect_ = {monitorLeft_ + left, top, width, height};
    gtk_widget_set_size_request(canvas_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
    gtk_window_move(GTK_WINDOW(window_), rect_.x, rect_.y);
}

void GtkStripWindow::Show(bool visible)
{
    if (visible) {
        Refresh();
        gtk_widget_show(window_);
    } else {
        gtk_widget_hide(window_);
    }
}

void GtkStripWindow::Refresh()
{
    const Bitmap& frame = stage_.Compose();
    if (frame.width <= 0 || frame.height <= 0) return;
    if (!image_ || cairo_image_surface_get_width(image_) != frame.width ||
        cairo_image_surface_get_height(image_) != frame.height) {
        if (RemakeImage()) gtk_widget_queue_draw(canvas_);
        return;
    }
    // Only what changed is copied and redrawn: a wave tick is a 3-pixel band.
    for (const PixelRect& rect : stage_.ChangedRects()) {
        const int x0 = std::max(rect.x, 0);
        const int y0 = std::max(rect.y, 0);
        const PixelRect part{x0, y0, std::min(rect.x + rect.w, frame.width) - x0,
                             std::min(rect.y + rect.h, frame.height) - y0};
        if (part.Empty()) continue;
        CopyFrameRect(frame, image_, part);
        gtk_widget_queue_draw_area(canvas_, part.x, part.y, part.w, part.h);
    }
}

// An image cairo could not make (no memory) is dropped, the window shows
// nothing for a while, and the next refresh tries again with the whole frame.
bool GtkStripWindow::RemakeImage()
{
    if (image_) cairo_surface_destroy(image_);
    const Bitmap& frame = stage_.Frame();
    image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height);
    if (cairo_surface_status(image_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image_);
        image_ = nullptr;
        return false;
    }
    CopyFrameRect(frame, image_, PixelRect{0, 0, frame.width, frame.height});
    return true;
}

// The window only shows the image Refresh keeps; no scene code runs here, so
// an uncovered window repaints from the last frame. GTK has already clipped
// the context to the damaged area.
gboolean GtkStripWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self)
{
    if (cairo_surface_t* image = static_cast<GtkStripWindow*>(self)->image_) {
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
    }
    return TRUE;
}

gboolean GtkStripWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self)
{
    auto* strip = static_cast<GtkStripWindow*>(self);
    // Double and triple clicks arrive as extra events after the plain press,
    // which has already been handled.
    if (event->type != GDK_BUTTON_PRESS || !strip->press_) return TRUE;
    if (strip->stage_.HitTest(static_cast<int>(event->x), static_cast<int>(event->y)) != nullptr) return TRUE;
    // GTK counts 1 left, 2 middle, 3 right.
    switch (event->button) {
    case 1: strip->press_(MouseButton::Left); break;
    case 2: strip->press_(MouseButton::Middle); break;
    case 3: strip->press_(MouseButton::Right); break;
    default: return TRUE;
    }
    strip->Refresh();
    return TRUE;
}

GdkPixbuf* StripIcon()
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

}  // namespace seastrip
