#!/bin/sh
# The strip on window managers other than openbox, each on its own Xvfb with
# the desktop's own panel or bar: it must stand on the bottom of the free
# area (or take a row of its own on a tiler), within a second of a change,
# and show there the sky seastrip-render draws at that width. Also the
# reserved row (--reserve): a maximised window ends above it, and the
# reservation goes with the strip, even one killed outright.
#
# usage: desktops_e2e.sh SEASTRIP SEASTRIP_RENDER [DESKTOP...]
#   DESKTOP: fluxbox icewm kwin xfwm4 i3 herbstluftwm reserve (all by default)

SEASTRIP=$1
RENDER=$2
shift 2
DESKTOPS=${*:-fluxbox icewm kwin xfwm4 i3 herbstluftwm reserve}
SCREEN_W=1280
SCREEN_H=800

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin desktops e2e_gtk/x_session e2e_strip_pixels
need_tools Xvfb fluxbox icewm icesh kwin_x11 xfwm4 xfce4-panel xfconf-query dbus-daemon i3 i3bar i3-msg herbstluftwm herbstclient openbox tint2 xterm xdotool \
    xwininfo xprop wmctrl import convert compare
export HOME=$WORK

# The bottom (y + height) and the top of the window manager's work area.
work_area() { xprop -root _NET_WORKAREA 2>/dev/null | awk -F'[=,]' '{print $2 + 0, $3 + 0, $4 + 0, $5 + 0}'; }
work_area_bottom() { set -- $(work_area) && echo $(($2 + $4)); }
work_area_top_is() { set -- $(work_area) && [ "${2:-x}" = "$1" ]; }
# The first visible window of a class, in W.
window_of() { W=$(xdotool search --onlyvisible --class "$1" 2>/dev/null | head -n 1) && [ -n "$W" ]; }
start_strip() { launch_strip env SEASTRIP_CONFIG_DIR="$WORK" "$SEASTRIP" "$@"; }
strip_alive() { ended "$STRIP_PID" && fail "$1: the strip ended: $(cat "$WORK/seastrip.log")"; }
# The user's xterm, which ends of itself in ten minutes: its process in
# XTERM_PID, its window in W.
start_xterm() { # NAME
    xterm -geometry 80x20 -e sleep 600 &
    XTERM_PID=$!
    PIDS="$PIDS $XTERM_PID"
    wait_for 10 'window_of XTerm' || die "$1: no xterm"
}

# The version dialog, from the menu, stands right above the strip where it
# really is, on the screen, covering none of it.
dialog_above_strip() { # NAME
    set -- "$1" $(geometry "$STRIP")
    choose Down Down Down
    wait_for 5 'dialog=$(others | head -n 1); [ -n "$dialog" ]' || die "$1: no dialog"
    sleep 0.5
    set -- "$1" "$3" $(geometry "$dialog")
    if [ $(($4 + $6)) -gt "$2" ] || [ $(($4 + $6)) -lt $(($2 - 40)) ] || [ "$3" -lt 0 ] ||
        [ $(($3 + $5)) -gt "$SCREEN_W" ]; then
        fail "$1: the version dialog stands at $3,$4 ${5}x$6, not right above the strip at y $2"
    else
        pass "$1: the version dialog stands right above the strip"
    fi
    xdotool key Return
    wait_for 5 none_open || die "$1: the dialog did not close"
}

# --- fluxbox: its toolbar is no client of its own, only the work area knows it ------------
desktop_fluxbox() {
    mkdir -p "$WORK/.fluxbox"
    printf 'session.screen0.toolbar.placement: BottomCenter\nsession.screen0.toolbar.widthPercent: 100\n' \
        >"$WORK/.fluxbox/init"
    start_wm fluxbox fluxbox
    wait_for 10 '[ "$(work_area_bottom)" -lt "$SCREEN_H" ]' || die "fluxbox reserved no toolbar"
    start_strip
    placed fluxbox 0 $(($(work_area_bottom) - STRIP_H)) "$SCREEN_W"
    # The toolbar to the top: fluxbox started again with it there.
    kill "$WM_PID"
    sed -i 's/BottomCenter/TopCenter/' "$WORK/.fluxbox/init"
    start_wm fluxbox_top fluxbox
    wait_for 10 '! work_area_top_is 0' || die "fluxbox's toolbar did not go to the top"
    placed fluxbox_top 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W"
    strip_alive fluxbox
}

# --- icewm: its taskbar moved to the top while the strip runs ------------------------------
desktop_icewm() {
    mkdir -p "$WORK/.icewm"
    echo TaskBarAtTop=0 >"$WORK/.icewm/preferences"
    start_wm icewm icewm
    wait_for 10 '[ "$(work_area_bottom)" -lt "$SCREEN_H" ]' || die "icewm reserved no taskbar"
    start_strip
    placed icewm 0 $(($(work_area_bottom) - STRIP_H)) "$SCREEN_W"
    echo TaskBarAtTop=1 >"$WORK/.icewm/preferences"
    icesh restart
    wait_for 10 '! work_area_top_is 0' || die "icewm's taskbar did not go to the top"
    placed icewm_top 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W"
    dialog_above_strip icewm_top
    strip_alive icewm
}

# The strip asks for no attention; with "switching", alt+Tab from the
# user's xterm never lands on it (KWin without its desktop shell has no
# switcher to try).
unobtrusive() { # NAME [switching]
    if [ "${2:-}" = switching ]; then
        start_xterm "$1"
        xdotool windowactivate --sync "$W" key alt+Tab
        sleep 1
        active=$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')
        [ $((active)) = $((STRIP)) ] && fail "$1: switching windows made the strip the active one"
    fi
    sleep 1
    xprop -id "$STRIP" _NET_WM_STATE | grep -q DEMANDS_ATTENTION && fail "$1: the strip demands attention"
}

# --- KWin: it marks a new window it did not activate as demanding attention --------------
desktop_kwin() {
    # A session bus of its own: the desktop keeps its settings behind one.
    start_bus DBUS_SESSION_BUS_ADDRESS
    start_wm kwin kwin_x11
    start_strip
    placed kwin 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W" 3
    unobtrusive kwin
    strip_alive kwin
    unset DBUS_SESSION_BUS_ADDRESS
}

# --- xfwm4 and xfce4-panel: the panel moved to the bottom and back while the strip runs ---------
# xfwm4 holds a moving window a pixel short of the screen's bottom edge.
desktop_xfwm4() {
    # A session bus of its own: the desktop keeps its settings behind one.
    start_bus DBUS_SESSION_BUS_ADDRESS
    start_wm xfwm4 xfwm4
    xfce4-panel >"$WORK/xfce4-panel.log" 2>&1 &
    PIDS="$PIDS $!"
    wait_for 15 '! work_area_top_is 0' || die "xfce4-panel reserved nothing: $(cat "$WORK/xfce4-panel.log")"
    # Its first start makes a second panel of launchers at the bottom; only
    # the first one is kept.
    xfconf-query -c xfce4-panel -p /panels -t int -s 1 -a && xfce4-panel -r
    wait_for 10 '[ "$(xdotool search --onlyvisible --class xfce4-panel 2>/dev/null | wc -l)" -le 2 ]' ||
        die "xfce4-panel kept its second panel"
    start_strip
    placed xfwm4 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W"
    xfconf-query -c xfce4-panel -p /panels/panel-1/position -s "p=8;x=640;y=$((SCREEN_H - 5))"
    wait_for 10 'work_area_top_is 0 && [ "$(work_area_bottom)" -lt "$SCREEN_H" ]' || die "the panel did not go down"
    placed xfwm4_panel_down 0 $(($(work_area_bottom) - STRIP_H)) "$SCREEN_W" 2
    xfconf-query -c xfce4-panel -p /panels/panel-1/position -s "p=6;x=0;y=0"
    wait_for 10 '! work_area_top_is 0' || die "the panel did not go up"
    placed xfwm4_panel_up 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W" 2
    unobtrusive xfwm4 switching
    strip_alive xfwm4
    unset DBUS_SESSION_BUS_ADDRESS
}

# --- tilers: the strip is a full-width row of its own beside the bar --------------------------
# row_beside_bar NAME BAR_CLASS: the strip is 28 px high across the screen,
# on the bar's far side from the screen's edge or on the screen's bottom
# with the bar at the top, never over it.
row_beside_bar() {
    bar_class=$2
    wait_for 10 'window_of "$bar_class"' || die "$1: no bar"
    set -- "$1" $(geometry "$W")
    y=$((SCREEN_H - STRIP_H))
    if [ $(($3 + $5)) -ge "$SCREEN_H" ]; then
        # The bar at the bottom: the strip directly above it, or under it
        # where the tiler stacks its docks that way (the bar then above).
        bar_top=$3
        wait_for 2 'bar_top=$(geometry "$W" | cut -d" " -f2); [ "$bar_top" -lt $((SCREEN_H - STRIP_H - 1)) ]'
        [ $(($(geometry "$W" | cut -d" " -f2) + $(geometry "$W" | cut -d" " -f4))) -ge "$SCREEN_H" ] &&
            y=$((bar_top - STRIP_H))
    fi
    placed "$1" 0 "$y" "$SCREEN_W" 3
    echo "  $1: the bar at $(geometry "$W"), the strip at $(geometry "$STRIP")"
}

# A click on the strip, then the tiler's close command: the user's window
# goes, never the strip.
close_after_click() { # NAME CLOSE_COMMAND...
    name=$1
    shift
    start_xterm "$name"
    strip_y=$(geometry "$STRIP" | cut -d" " -f2)
    xdotool mousemove 200 $((strip_y + 14)) click 1
    sleep 0.5
    "$@" >/dev/null 2>&1
    wait_for 5 'ended "$XTERM_PID"' || fail "$name: the close command did not close the user's window"
    strip_alive "$name"
}

desktop_i3() {
    printf '# i3 config file (v4)\nbar {\n position bottom\n tray_output none\n}\n' >"$WORK/i3.conf"
    start_wm i3 i3 -c "$WORK/i3.conf"
    wait_for 10 'window_of i3bar' || die "no i3bar"
    # Under another name: a tiler the strip does not know shows itself by
    # the size it gives a floating window (herbstluftwm is known by name).
    xprop -id "$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '{print $NF}')" -f _NET_WM_NAME 8u -set _NET_WM_NAME tiler
    start_strip
    row_beside_bar i3 i3bar
    dialog_above_strip i3
    close_after_click i3 i3-msg kill
    # The bar to the top, i3's settings read again.
    sed -i 's/position bottom/position top/' "$WORK/i3.conf"
    i3-msg reload >/dev/null 2>&1
    wait_for 10 'window_of i3bar && [ "$(geometry "$W" | cut -d" " -f2)" = 0 ]' || die "i3bar did not go to the top"
    row_beside_bar i3_top i3bar
}

desktop_herbstluftwm() {
    printf '#!/bin/sh\nherbstclient set focus_follows_mouse 0\n' >"$WORK/autostart"
    chmod +x "$WORK/autostart"
    start_wm herbstluftwm herbstluftwm --autostart "$WORK/autostart"
    start_panel panel "panel_position = bottom center horizontal" "panel_size = 100% 30"
    start_strip
    row_beside_bar herbstluftwm tint2
    close_after_click herbstluftwm herbstclient close
}

# --- the reserved row, on openbox: windows stop above it, and it goes with the strip ---------
desktop_reserve() {
    start_openbox
    start_panel panel "panel_position = bottom center horizontal" "panel_size = 100% 30"
    wait_for 10 '[ "$(work_area_bottom)" = $((SCREEN_H - 30)) ]' || die "the panel reserved nothing"
    # Asked for in the settings file, as a user starting it from a menu does
    # (sway's test gives --reserve).
    printf '[Data]\nReserve=ON\n' >"$WORK/seastrip.ini"
    cp "$WORK/seastrip.ini" "$WORK/asked.ini"
    start_strip
    top=$((SCREEN_H - 30 - STRIP_H))
    placed reserve 0 "$top" "$SCREEN_W"
    wait_for 5 '[ "$(work_area_bottom)" = "$top" ]' || fail "reserve: the work area ends at $(work_area_bottom), not $top"
    start_xterm reserve
    wmctrl -i -r "$W" -b add,maximized_vert,maximized_horz
    wait_for 5 'xterm_end=$(geometry "$W" | awk "{print \$2 + \$4}"); [ "$xterm_end" -le "$top" ] && [ "$xterm_end" -ge $((top - 10)) ]' ||
        fail "reserve: the maximised xterm is at $(geometry "$W"), not ending above $top"
    placed reserve_kept 0 "$top" "$SCREEN_W"
    # The panel to the top: the strip's own strut hid the room it left.
    sed -i 's/^panel_position = .*/panel_position = top center horizontal/' "$WORK/panel.rc"
    kill -USR1 "$PANEL_PID"
    placed reserve_panel_top 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W" 3
    wait_for 5 '[ "$(work_area_bottom)" = $((SCREEN_H - STRIP_H)) ]' ||
        fail "reserve: with the panel at the top the work area ends at $(work_area_bottom)"
    kill -9 "$STRIP_PID"
    wait_for 5 '[ "$(work_area_bottom)" = "$SCREEN_H" ]' ||
        fail "reserve: the row stayed reserved after the strip was killed ($(work_area))"
    cmp -s "$WORK/seastrip.ini" "$WORK/asked.ini" || fail "reserve: the settings file was changed"
    rm -f "$WORK/seastrip.ini"
}

SHOT_PREFIX=desktop
for desktop in $DESKTOPS; do
    start_xvfb "$SCREEN_W" "$SCREEN_H"
    xsetroot -solid '#608060'
    # A row takes seconds; a minute means something hangs.
    watchdog 60 "$desktop" "$XVFB_PID" &
    WATCHDOG_PID=$!
    "desktop_$desktop"
    [ -s "$WORK/seastrip.log" ] && fail "$desktop: the strip wrote to its output: $(cat "$WORK/seastrip.log")"
    end_session
    kill "$WATCHDOG_PID" 2>/dev/null
done
[ -s "$WORK/watchdog" ] && fail "rows that hung: $(cat "$WORK/watchdog")"
e2e_end "the strip found its place on every desktop"
