// The version dialog: modal, fixed size, every part placed at its pixel
// position from the dialog's twips layout (a 263 x 75 client area).
#include "front/gtk/gtk_dialog.h"

#include <algorithm>
#include <string>

#include "front/gtk/gtk_focus.h"
#include "front/gtk/gtk_window.h"
#include "platform/version_info.h"

namespace seastrip {
namespace {

using namespace version_info;

// The layout is drawn at 96 pixels to the inch: the desktop's scale factor
// enlarges the whole window.
constexpr int kPixelsPerInch = 96;
constexpr int Px(int twips) { return TwipsToPixels(twips, kPixelsPerInch); }
const int kClientWidthPx = Px(kClientWidth);
const int kClientHeightPx = Px(kClientHeight);

// A label in one font. The family list names the font the dialog was designed
// with first and then its stand-ins, since fontconfig does not always know the
// design names by themselves.
GtkWidget* FixedLabel(const char* text, const Font& font)
{
    GtkWidget* label = gtk_label_new(text);
    PangoAttrList* attributes = pango_attr_list_new();
    if (font.face[0] != '\0') {
        const std::string families = std::string(font.face) + "," + font.standIns;
        pango_attr_list_insert(attributes, pango_attr_family_new(families.c_str()));
    }
    pango_attr_list_insert(attributes, pango_attr_size_new(font.hundredthsOfPoint * PANGO_SCALE / 100));
    if (font.bold) pango_attr_list_insert(attributes, pango_attr_weight_new(PANGO_WEIGHT_BOLD));
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    return label;
}

// A part at its place, cut off at the client area's edge as a window's child
// would be (the fixed container would grow instead).
void Put(GtkWidget* fixed, GtkWidget* child, const TwipsRect& r)
{
    const int x = Px(r.left), y = Px(r.top);
    gtk_widget_set_size_request(child, std::min(Px(r.width), kClientWidthPx - x), std::min(Px(r.height), kClientHeightPx - y));
    gtk_fixed_put(GTK_FIXED(fixed), child, x, y);
}

// The divider: a white line over a dark one, across the whole dialog.
gboolean DrawDivider(GtkWidget* widget, cairo_t* cr, gpointer)
{
    const int width = gtk_widget_get_allocated_width(widget);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_rectangle(cr, 0, 0, width, 1);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
    cairo_rectangle(cr, 0, 1, width, 1);
    cairo_fill(cr);
    return TRUE;
}

// Centred over the strip where it really stands: the dialog's bottom edge
// sits on the strip's top edge, halfway along it, kept on the strip's
// monitor; a strip at the top of its monitor (a tiler's top row) has the
// dialog under it instead. With south gravity the window manager moves the
// window up by its frame, so the frame's bottom lands on the strip too.
void PlaceBy(GtkWindow* window, GtkWindow* strip, const GdkRectangle& stripRect)
{
    GdkRectangle monitor = stripRect;
    GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(strip));
    GdkWindow* stripWindow = gtk_widget_get_window(GTK_WIDGET(strip));
    if (GdkMonitor* m = stripWindow ? gdk_display_get_monitor_at_window(display, stripWindow)
                                    : gdk_display_get_monitor_at_point(display, stripRect.x, stripRect.y)) {
        gdk_monitor_get_geometry(m, &monitor);
    }
    const int x = std::clamp(stripRect.x + (stripRect.width - kClientWidthPx) / 2, monitor.x,
                             std::max(monitor.x, monitor.x + monitor.width - kClientWidthPx));
    if (stripRect.y - kClientHeightPx < monitor.y) {
        gtk_window_set_gravity(window, GDK_GRAVITY_NORTH_WEST);
        gtk_window_move(window, x, stripRect.y + stripRect.height);
    } else {
        gtk_window_set_gravity(window, GDK_GRAVITY_SOUTH);
        gtk_window_move(window, x, stripRect.y - kClientHeightPx);
    }
}

// Where the window manager put the dialog, looked at once it is shown: one
// that places a frame's top where the window asked to be (ignoring the
// gravity) would leave the dialog's bottom over the strip; it is lifted off.
struct StripClearance {
    GtkWindow* dialog;
    GdkRectangle strip;
    guint source;
};

gboolean KeepOffStrip(gpointer data)
{
    auto* clearance = static_cast<StripClearance*>(data);
    clearance->source = 0;
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(clearance->dialog));
    const GdkRectangle& strip = clearance->strip;
    if (!window) return G_SOURCE_REMOVE;
    GdkRectangle frame;
    gdk_window_get_frame_extents(window, &frame);
    const int overlap = frame.y + frame.height - strip.y;
    // Only a dialog above the strip's top and reaching into it is moved.
    if (overlap > 0 && frame.y < strip.y && frame.x < strip.x + strip.width && strip.x < frame.x + frame.width) {
        gtk_window_set_gravity(clearance->dialog, GDK_GRAVITY_NORTH_WEST);
        gtk_window_move(clearance->dialog, frame.x, frame.y - overlap);
    }
    return G_SOURCE_REMOVE;
}

void PressOk(GtkButton*, gpointer dialog) { gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK); }

gboolean OnKey(GtkWidget* dialog, GdkEventKey* event, gpointer)
{
    switch (event->keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
    case GDK_KEY_Escape:
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void RunVersionDialog(GtkWindow* strip, const GdkRectangle& stripRect)
{
    GtkWidget* dialog = gtk_dialog_new();
    GtkWindow* window = GTK_WINDOW(dialog);
    gtk_window_set_title(window, kCaption);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_skip_pager_hint(window, TRUE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_transient_for(window, strip);
    if (GdkPixbuf* icon = StripIcon()) {
        gtk_window_set_icon(window, icon);
        g_object_unref(icon);
    }

    // The content area's own border and spacing would grow the client area.
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(content), 0);
    gtk_box_set_spacing(GTK_BOX(content), 0);
    gtk_widget_set_margin_start(content, 0);
    gtk_widget_set_margin_end(content, 0);
    gtk_widget_set_margin_top(content, 0);
    gtk_widget_set_margin_bottom(content, 0);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, kClientWidthPx, kClientHeightPx);
    gtk_box_pack_start(GTK_BOX(content), fixed, TRUE, TRUE, 0);

    if (GdkPixbuf* icon = StripIcon()) {
        Put(fixed, gtk_image_new_from_pixbuf(icon), kIconRect);
        g_object_unref(icon);
    }
    Put(fixed, FixedLabel(kProductName, kProductFont), kProductRect);
    Put(fixed, FixedLabel(kVersion, kNumberFont), kNumberRect);
    GtkWidget* divider = gtk_drawing_area_new();
    g_signal_connect(divider, "draw", G_CALLBACK(DrawDivider), nullptr);
    Put(fixed, divider, {0, kLightLineY, kClientWidth, kDarkLineY - kLightLineY + 15});
    Put(fixed, FixedLabel(kRights, kRightsFont), kRightsRect);

    GtkWidget* ok = gtk_button_new_with_label("OK");
    g_signal_connect(ok, "clicked", G_CALLBACK(PressOk), dialog);
    Put(fixed, ok, kOkRect);
    gtk_widget_set_can_default(ok, TRUE);
    g_signal_connect(dialog, "key-press-event", G_CALLBACK(OnKey), nullptr);

    PlaceBy(window, strip, stripRect);

    // A fixed dialog frame: moving and closing only, no minimise or maximise.
    gtk_widget_realize(dialog);
    gdk_window_set_functions(gtk_widget_get_window(dialog),
                             static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
    gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(dialog)));
    gtk_widget_grab_default(ok);
    gtk_widget_grab_focus(ok);
    // The user has just asked for it, so it takes the keyboard from the
    // window in use: Enter and Escape reach it.
    gtk_window_present_with_time(window, LastUserTime());
    Activate(window);
    StripClearance clearance{window, stripRect, 0};
    clearance.source = g_timeout_add(300, KeepOffStrip, &clearance);
    gtk_dialog_run(GTK_DIALOG(dialog));
    if (clearance.source) g_source_remove(clearance.source);
    gtk_widget_destroy(dialog);
}

}  // namespace seastrip
