#pragma once

// The desktop hints X11 window managers and panels publish, by name, and
// their readers: what the desktop watch listens for, what the work area is
// computed from, and what the focus code asks and tells the window manager.

#include <gtk/gtk.h>

#ifdef GDK_WINDOWING_X11
#include <X11/Xlib.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "front/common/work_area.h"

namespace seastrip::x11 {

// Root window properties.
inline constexpr const char* kClientList = "_NET_CLIENT_LIST";
inline constexpr const char* kWorkArea = "_NET_WORKAREA";
inline constexpr const char* kCurrentDesktop = "_NET_CURRENT_DESKTOP";
inline constexpr const char* kActiveWindow = "_NET_ACTIVE_WINDOW";
inline constexpr const char* kSupportingCheck = "_NET_SUPPORTING_WM_CHECK";
// Followed by the workspace's number: one rectangle per monitor.
inline constexpr const char* kMonitorWorkAreasPrefix = "_GTK_WORKAREAS_D";
// Window properties.
inline constexpr const char* kStrutPartial = "_NET_WM_STRUT_PARTIAL";
inline constexpr const char* kStrut = "_NET_WM_STRUT";
inline constexpr const char* kWindowType = "_NET_WM_WINDOW_TYPE";
inline constexpr const char* kTypeDock = "_NET_WM_WINDOW_TYPE_DOCK";
inline constexpr const char* kState = "_NET_WM_STATE";
inline constexpr const char* kDemandsAttention = "_NET_WM_STATE_DEMANDS_ATTENTION";
inline constexpr const char* kWmName = "_NET_WM_NAME";
inline constexpr const char* kFrameExtents = "_NET_FRAME_EXTENTS";

// Whether a change of this root property can move the free area.
bool AffectsWorkArea(const char* name);
// Whether a change of this window property is a change of what it reserves.
bool IsStrutProperty(const char* name);

Atom AtomOf(Display* display, const char* name);
// A property of 32-bit items as longs, as Xlib hands them; empty when the
// window or the property is missing or of another type.
std::vector<long> ReadLongs(Display* display, ::Window window, const char* name, Atom type);
std::vector<::Window> ReadWindows(Display* display, ::Window window, const char* name);
// The window manager's list of its clients; none when it keeps none.
std::optional<std::vector<::Window>> ClientList(Display* display);
// The windows straight under the root: frames, and unmanaged windows such as
// a window manager's own toolbar, which no client list names.
std::vector<::Window> TopLevelWindows(Display* display);
bool IsDock(Display* display, ::Window window);
// What a window reserves, the newer form first; none when nothing.
std::optional<DockStrut> ReadStrut(Display* display, ::Window window);
// _NET_WORKAREA of the current workspace, and the per-monitor list of it.
std::optional<ScreenRect> DesktopWorkArea(Display* display);
std::vector<ScreenRect> MonitorWorkAreas(Display* display);
ScreenRect ScreenSize(Display* display);
// The window manager's active window, or 0.
::Window ActiveWindow(Display* display);
// Sends the window manager a request about a window (a client message of
// the named type, up to five items), as the desktop hints say requests go:
// to the root window, and out at once.
void AskWindowManager(Display* display, ::Window window, const char* message, std::initializer_list<long> items);
// The name the running window manager gives itself, lower case; empty
// without one.
std::string WindowManagerName(Display* display);
// Whether the running window manager is one known to tile: it lays out
// every ordinary window itself and leaves a row of the screen only to docks.
bool IsKnownTiler(Display* display);

}  // namespace seastrip::x11
#endif
