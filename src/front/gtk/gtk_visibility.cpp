#include "front/gtk/gtk_visibility.h"

#include <glib-unix.h>
#include <sys/uio.h>
#include <unistd.h>
#include <xcb/dpms.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#include <wayland-client.h>
#endif

namespace seastrip {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T>
Reply<T> Take(T* reply) { return Reply<T>(reply, &std::free); }

xcb_atom_t Intern(xcb_connection_t* x, const char* name)
{
    const auto length = static_cast<uint16_t>(std::strlen(name));
    auto reply = Take(xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, length, name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A window's rectangle in root coordinates; false when it is gone.
bool RootRect(xcb_connection_t* x, xcb_window_t window, xcb_window_t root, GdkRectangle& rect)
{
    auto geometry = Take(xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr));
    auto place = Take(xcb_translate_coordinates_reply(x, xcb_translate_coordinates(x, window, root, 0, 0), nullptr));
    if (!geometry || !place) return false;
    rect = {place->dst_x, place->dst_y, geometry->width, geometry->height};
    return true;
}

bool Contains(const GdkRectangle& outer, const GdkRectangle& inner)
{
    return inner.width > 0 && inner.height > 0 && inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width && inner.y + inner.height <= outer.y + outer.height;
}

// The power extension's request to report its changes (version 1.2), which
// this system's XCB headers predate: minor code 8 with an event mask.
constexpr uint8_t kDpmsSelectInput = 8;
constexpr uint32_t kDpmsInfoNotifyMask = 1;
constexpr uint16_t kDpmsInfoNotify = 0;

// A compositor answers a frame callback at its next frame, well within this
// for any surface it shows; the strip commits at least twice a second.
constexpr gint64 kUnansweredUs = 2'000'000;
// How often a callback is asked for while they are answered: enough to
// notice within seconds, few enough to cost nothing.
constexpr gint64 kFrameAskUs = 1'000'000;

}  // namespace

GtkVisibility::~GtkVisibility() { Stop(); }

void GtkVisibility::Start(GdkDisplay* display, GtkWindow* strip, std::function<void(bool)> changed)
{
    Stop();
    strip_ = strip;
    changed_ = std::move(changed);
    reported_ = true;
    ConnectX(display);
#ifdef GDK_WINDOWING_WAYLAND
    wayland_ = GDK_IS_WAYLAND_DISPLAY(display);
    if (wayland_) mapHandler_ = g_signal_connect(strip_, "map", G_CALLBACK(OnMap), this);
#endif
    WatchSession();
    Update();
}

void GtkVisibility::Stop()
{
    DisconnectX();
    DropFrame();
    if (mapHandler_) g_signal_handler_disconnect(strip_, mapHandler_);
    mapHandler_ = 0;
    wayland_ = unshown_ = false;
    if (cancel_) {
        g_cancellable_cancel(cancel_);
        g_clear_object(&cancel_);
    }
    if (bus_ && subscription_) g_dbus_connection_signal_unsubscribe(bus_, subscription_);
    subscription_ = 0;
    g_clear_object(&bus_);
    g_clear_pointer(&sessionPath_, g_free);
    saver_ = powerOff_ = covered_ = locked_ = false;
    changed_ = nullptr;
}

void GtkVisibility::Update()
{
    const bool seen = Seen();
    if (seen == reported_) return;
    reported_ = seen;
    if (changed_) changed_(seen);
}

// --- X11 -------------------------------------------------------------------

bool GtkVisibility::ConnectX(GdkDisplay* display)
{
#ifdef GDK_WINDOWING_X11
    if (!GDK_IS_X11_DISPLAY(display)) return false;
    int screenNumber = 0;
    x_ = xcb_connect(gdk_display_get_name(display), &screenNumber);
    if (xcb_connection_has_error(x_)) {
        DisconnectX();
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0) {
        DisconnectX();
        return false;
    }
    root_ = screens.data->root;
    atomActive_ = Intern(x_, "_NET_ACTIVE_WINDOW");
    atomState_ = Intern(x_, "_NET_WM_STATE");
    atomFullscreen_ = Intern(x_, "_NET_WM_STATE_FULLSCREEN");
    atomHidden_ = Intern(x_, "_NET_WM_STATE_HIDDEN");

    const uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x_, root_, XCB_CW_EVENT_MASK, &rootEvents);

    const xcb_query_extension_reply_t* saver = xcb_get_extension_data(x_, &xcb_screensaver_id);
    if (saver && saver->present) {
        saverEvent_ = saver->first_event + XCB_SCREENSAVER_NOTIFY;
        xcb_screensaver_select_input(x_, root_, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
        auto info = Take(xcb_screensaver_query_info_reply(x_, xcb_screensaver_query_info(x_, root_), nullptr));
        saver_ = info && info->state == XCB_SCREENSAVER_STATE_ON;
    }
    SelectDpmsEvents();
    FollowActiveWindow();
    xcb_flush(x_);
    xSource_ = g_unix_fd_add(xcb_get_file_descriptor(x_), G_IO_IN, OnXEvents, this);
    // Replies may have brought events along that are already read.
    HandleXEvents();
    return true;
#else
    (void)display;
    return false;
#endif
}

void GtkVisibility::DisconnectX()
{
    if (xSource_) g_source_remove(xSource_);
    xSource_ = 0;
    if (x_) xcb_disconnect(x_);
    x_ = nullptr;
    active_ = 0;
    stripWindow_ = 0;
    saverEvent_ = dpmsOpcode_ = -1;
}

// Only a server whose power extension reports its changes is listened to;
// an older one is never asked, rather than asked on a timer.
void GtkVisibility::SelectDpmsEvents()
{
    const xcb_query_extension_reply_t* dpms = xcb_get_extension_data(x_, &xcb_dpms_id);
    if (!dpms || !dpms->present) return;
    auto version = Take(xcb_dpms_get_version_reply(x_, xcb_dpms_get_version(x_, 1, 2), nullptr));
    if (!version || version->server_major_version < 1 ||
        (version->server_major_version == 1 && version->server_minor_version < 2)) {
        return;
    }
    static const xcb_protocol_request_t request = {2, &xcb_dpms_id, kDpmsSelectInput, 1};
    struct {
        uint8_t major, minor;
        uint16_t length;
        uint32_t mask;
    } body{0, 0, 0, kDpmsInfoNotifyMask};
    iovec parts[4];
    parts[2].iov_base = &body;
    parts[2].iov_len = sizeof body;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = 0;
    xcb_send_request(x_, 0, parts + 2, &request);
    dpmsOpcode_ = dpms->major_opcode;
    auto info = Take(xcb_dpms_info_reply(x_, xcb_dpms_info(x_), nullptr));
    powerOff_ = info && info->state && info->power_level != XCB_DPMS_DPMS_MODE_ON;
}

gboolean GtkVisibility::OnXEvents(gint, GIOCondition, gpointer self)
{
    auto* visibility = static_cast<GtkVisibility*>(self);
    visibility->HandleXEvents();
    if (visibility->x_ && xcb_connection_has_error(visibility->x_)) {
        // The server went; the program's own connection ends the program.
        visibility->xSource_ = 0;
        visibility->saver_ = visibility->powerOff_ = visibility->covered_ = false;
        visibility->Update();
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

void GtkVisibility::HandleXEvents()
{
    if (!x_) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_PROPERTY_NOTIFY) {
            const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (property->window == root_ && property->atom == atomActive_) FollowActiveWindow();
            else if (property->window == active_ && property->atom == atomState_) covered_ = ActiveCoversStrip();
        } else if (type == XCB_DESTROY_NOTIFY) {
            const auto* destroyed = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
            if (destroyed->window == stripWindow_) stripWindow_ = 0;
            covered_ = ActiveCoversStrip();
        } else if (type == XCB_CONFIGURE_NOTIFY || type == XCB_MAP_NOTIFY || type == XCB_UNMAP_NOTIFY) {
            covered_ = ActiveCoversStrip();
        } else if (saverEvent_ >= 0 && type == saverEvent_) {
            const auto* notify = reinterpret_cast<xcb_screensaver_notify_event_t*>(event);
            saver_ = notify->state == XCB_SCREENSAVER_STATE_ON || notify->state == XCB_SCREENSAVER_STATE_CYCLE;
        } else if (type == XCB_GE_GENERIC && dpmsOpcode_ >= 0) {
            const auto* generic = reinterpret_cast<xcb_ge_generic_event_t*>(event);
            if (generic->extension == dpmsOpcode_ && generic->event_type == kDpmsInfoNotify) {
                auto info = Take(xcb_dpms_info_reply(x_, xcb_dpms_info(x_), nullptr));
                powerOff_ = info && info->state && info->power_level != XCB_DPMS_DPMS_MODE_ON;
            }
        }
        std::free(event);
    }
    xcb_flush(x_);
    Update();
}

// The active window's changes are followed on it alone: its state (full
// screen or not) and its geometry.
void GtkVisibility::FollowActiveWindow()
{
    auto reply = Take(xcb_get_property_reply(
        x_, xcb_get_property(x_, 0, root_, atomActive_, XCB_ATOM_WINDOW, 0, 1), nullptr));
    xcb_window_t active = 0;
    if (reply && reply->type == XCB_ATOM_WINDOW && reply->format == 32 &&
        xcb_get_property_value_length(reply.get()) == 4) {
        std::memcpy(&active, xcb_get_property_value(reply.get()), 4);
    }
    // Selected even when the number is the same: a window made since may
    // have taken the number of one that is gone.
    const uint32_t none = 0;
    if (active_ && active != active_) xcb_change_window_attributes(x_, active_, XCB_CW_EVENT_MASK, &none);
    active_ = active;
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (active_) xcb_change_window_attributes(x_, active_, XCB_CW_EVENT_MASK, &events);
    covered_ = ActiveCoversStrip();
}

bool GtkVisibility::ActiveCoversStrip()
{
#ifdef GDK_WINDOWING_X11
    if (!x_ || !active_ || !strip_) return false;
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(strip_));
    if (!window || !GDK_IS_X11_WINDOW(window)) return false;
    const auto strip = static_cast<xcb_window_t>(GDK_WINDOW_XID(window));
    if (strip != stripWindow_) {
        // The strip's own moves and mapping count as much as the active window's.
        stripWindow_ = strip;
        const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(x_, stripWindow_, XCB_CW_EVENT_MASK, &events);
    }
    if (strip == active_) return false;
    auto state = Take(xcb_get_property_reply(x_, xcb_get_property(x_, 0, active_, atomState_, XCB_ATOM_ATOM, 0, 64),
                                             nullptr));
    if (!state || state->type != XCB_ATOM_ATOM || state->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
    const int count = xcb_get_property_value_length(state.get()) / 4;
    bool fullscreen = false;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == atomHidden_) return false;
        if (atoms[i] == atomFullscreen_) fullscreen = true;
    }
    if (!fullscreen) return false;
    GdkRectangle over{}, under{};
    return RootRect(x_, active_, root_, over) && RootRect(x_, strip, root_, under) && Contains(over, under);
#else
    return false;
#endif
}

void GtkVisibility::StripMoved()
{
    if (!x_ || !active_) return;
    covered_ = ActiveCoversStrip();
    Update();
}

// --- Wayland -----------------------------------------------------------------

wl_surface* GtkVisibility::StripSurface() const
{
#ifdef GDK_WINDOWING_WAYLAND
    GdkWindow* window = strip_ ? gtk_widget_get_window(GTK_WIDGET(strip_)) : nullptr;
    if (window && GDK_IS_WAYLAND_WINDOW(window)) return gdk_wayland_window_get_wl_surface(window);
#endif
    return nullptr;
}

// The callback rides on the surface's next commit, whoever makes it, and is
// answered on GTK's own queue, which GTK reads along with its events.
void GtkVisibility::AskForFrame()
{
#ifdef GDK_WINDOWING_WAYLAND
    static const wl_callback_listener listener = {OnFrameDone};
    wl_surface* surface = StripSurface();
    if (!surface || frame_) return;
    frame_ = wl_surface_frame(surface);
    wl_callback_add_listener(frame_, &listener, this);
    frameAskedUs_ = g_get_monotonic_time();
#endif
}

void GtkVisibility::DropFrame()
{
#ifdef GDK_WINDOWING_WAYLAND
    if (frame_) wl_callback_destroy(frame_);
#endif
    frame_ = nullptr;
}

void GtkVisibility::OnFrameDone(void* self, wl_callback*, uint32_t)
{
    auto* visibility = static_cast<GtkVisibility*>(self);
    visibility->DropFrame();
    visibility->frameDoneUs_ = g_get_monotonic_time();
    visibility->unshown_ = false;
    visibility->Update();
}

void GtkVisibility::Ticked()
{
    if (!wayland_) return;
    const gint64 now = g_get_monotonic_time();
    if (frame_ && now - frameAskedUs_ > kUnansweredUs) {
        // Still asked for: its answer says when the strip is shown again.
        unshown_ = true;
        Update();
    } else if (!frame_ && now - frameDoneUs_ > kFrameAskUs) {
        AskForFrame();
    }
}

// A surface made anew (the strip put back on an output) has no callback of
// ours; until the compositor says otherwise it counts as shown.
void GtkVisibility::OnMap(GtkWidget*, gpointer self)
{
    auto* visibility = static_cast<GtkVisibility*>(self);
    visibility->DropFrame();
    visibility->unshown_ = false;
    visibility->Update();
}

// --- logind ------------------------------------------------------------------

// The session is found by its id where the login set one, else by our
// process; without a system bus or a login manager the session counts as
// never locked.
void GtkVisibility::WatchSession()
{
    cancel_ = g_cancellable_new();
    g_bus_get(G_BUS_TYPE_SYSTEM, cancel_, OnSystemBus, this);
}

void GtkVisibility::OnSystemBus(GObject*, GAsyncResult* result, gpointer self)
{
    GDBusConnection* bus = g_bus_get_finish(result, nullptr);
    if (!bus) return;  // cancelled, or no system bus: `self` may be gone
    auto* visibility = static_cast<GtkVisibility*>(self);
    visibility->bus_ = bus;
    const char* id = std::getenv("XDG_SESSION_ID");
    GVariant* args = id && *id ? g_variant_new("(s)", id) : g_variant_new("(u)", static_cast<guint32>(getpid()));
    g_dbus_connection_call(bus, "org.freedesktop.login1", "/org/freedesktop/login1",
                           "org.freedesktop.login1.Manager", id && *id ? "GetSession" : "GetSessionByPID", args,
                           G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, -1, visibility->cancel_, OnSessionPath,
                           visibility);
}

void GtkVisibility::OnSessionPath(GObject* source, GAsyncResult* result, gpointer self)
{
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (!reply) return;
    auto* visibility = static_cast<GtkVisibility*>(self);
    g_variant_get(reply, "(o)", &visibility->sessionPath_);
    g_variant_unref(reply);
    visibility->subscription_ = g_dbus_connection_signal_subscribe(
        visibility->bus_, "org.freedesktop.login1", "org.freedesktop.DBus.Properties", "PropertiesChanged",
        visibility->sessionPath_, "org.freedesktop.login1.Session", G_DBUS_SIGNAL_FLAGS_NONE, OnSessionChanged,
        visibility, nullptr);
    visibility->AskLockedHint();
}

void GtkVisibility::AskLockedHint()
{
    g_dbus_connection_call(bus_, "org.freedesktop.login1", sessionPath_, "org.freedesktop.DBus.Properties", "Get",
                           g_variant_new("(ss)", "org.freedesktop.login1.Session", "LockedHint"),
                           G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, -1, cancel_, OnLockedHint, this);
}

void GtkVisibility::OnLockedHint(GObject* source, GAsyncResult* result, gpointer self)
{
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (!reply) return;
    auto* visibility = static_cast<GtkVisibility*>(self);
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    if (value && g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) {
        visibility->locked_ = g_variant_get_boolean(value);
        visibility->Update();
    }
    if (value) g_variant_unref(value);
    g_variant_unref(reply);
}

// The hint comes with the change, or only its name, to be asked for.
void GtkVisibility::OnSessionChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                                     GVariant* parameters, gpointer self)
{
    auto* visibility = static_cast<GtkVisibility*>(self);
    GVariant* changed = nullptr;
    const gchar** invalidated = nullptr;
    g_variant_get(parameters, "(s@a{sv}^a&s)", nullptr, &changed, &invalidated);
    gboolean locked = FALSE;
    if (g_variant_lookup(changed, "LockedHint", "b", &locked)) {
        visibility->locked_ = locked;
        visibility->Update();
    } else if (invalidated && g_strv_contains(invalidated, "LockedHint")) {
        visibility->AskLockedHint();
    }
    g_variant_unref(changed);
    g_free(invalidated);
}

}  // namespace seastrip
