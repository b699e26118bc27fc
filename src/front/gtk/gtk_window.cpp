// The strip window: an undecorated top-level window that shows the stage's
// frame and hands presses on the strip's own surface to the program.
#include <algorithm>

#include "front/gtk/gtk_platform.h"
#include "state/program.h"
#include "shell/strip_window.h"
#include "stage/stage_element.h"

namespace seastrip {
namespace {

// The window only shows the image Refresh keeps; no scene code runs here, so
// an uncovered window repaints from the last frame. GTK has already clipped
// the context to the damaged area.
gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data)
{
    auto* platform = static_cast<GtkPlatform*>(data);
    if (cairo_surface_t* image = platform->FrameImage()) {
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
    }
    return TRUE;
}

gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data)
{
    // Double and triple clicks arrive as extra events after the plain press,
    // which has already been handled.
    if (event->type != GDK_BUTTON_PRESS) return TRUE;
    static_cast<GtkPlatform*>(data)->StripPressed(static_cast<int>(event->x), static_cast<int>(event->y),
                                                  event->button);
    return TRUE;
}

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

void GtkPlatform::CreateStripWindow()
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
    if (GdkPixbuf* icon = IconPixbuf()) {
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

void GtkPlatform::PlaceStripWindow()
{
    if (!window_) return;
    const int left = PixelsFromTwips(strip_.Left(), kTwipsPerPixel);
    const int top = PixelsFromTwips(strip_.Top(), kTwipsPerPixel);
    const int width = std::max(1, PixelsFromTwips(strip_.Width(), kTwipsPerPixel));
    const int height = std::max(1, PixelsFromTwips(strip_.Height(), kTwipsPerPixel));
    gtk_widget_set_size_request(canvas_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
    gtk_window_move(GTK_WINDOW(window_), area_.geometry.x + left, top);
}

void GtkPlatform::ShowStripWindow(bool visible)
{
    if (!window_) return;
    if (visible) {
        Refresh();
        gtk_widget_show(window_);
    } else {
        gtk_widget_hide(window_);
    }
}

void GtkPlatform::Refresh()
{
    const Bitmap& frame = stage_.Compose();
    if (frame.width <= 0 || frame.height <= 0) return;
    const PixelRect whole{0, 0, frame.width, frame.height};
    if (!image_ || cairo_image_surface_get_width(image_) != frame.width ||
        cairo_image_surface_get_height(image_) != frame.height) {
        if (image_) cairo_surface_destroy(image_);
        image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height);
        CopyFrameRect(frame, image_, whole);
        if (canvas_) gtk_widget_queue_draw(canvas_);
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
        if (canvas_) gtk_widget_queue_draw_area(canvas_, part.x, part.y, part.w, part.h);
    }
}

void GtkPlatform::StripPressed(int x, int y, unsigned gtkButton)
{
    if (!program_ || stage_.HitTest(x, y) != nullptr) return;  // a visible element ignores presses
    // GTK counts 1 left, 2 middle, 3 right.
    if (gtkButton == 1) StripMouseDown(*program_, MouseButton::Left);
    if (gtkButton == 2) StripMouseDown(*program_, MouseButton::Middle);
    if (gtkButton == 3) StripMouseDown(*program_, MouseButton::Right);
    Refresh();
}

}  // namespace seastrip
