# Shared by the desktop scripts: a private X server, its window manager, and
# finding and measuring windows. Sourced after e2e_lib.sh; the routines
# work in e2e_begin's WORK and add what they start to PIDS.

STRIP="" STRIP_PID=""

# Starts Xvfb on a free display (it picks one itself and writes its number,
# so parallel runs never meet on one server) and exports DISPLAY. The
# screen has 24-bit colour unless DEPTH says otherwise. -noreset: a server
# resets when its last client leaves, and a client connecting meanwhile
# (openbox, right after the first poll for it) is turned away.
start_xvfb() { # WIDTH HEIGHT [DEPTH]
    Xvfb -noreset -displayfd 3 -screen 0 "${1}x${2}x${3:-24}" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    x_server_up xvfb
}

# Starts Xvnc instead, an X server whose screen can change size and hold
# several monitors (see vnc_layout.py); its viewers' socket is $WORK/vnc.sock.
start_xvnc() { # WIDTH HEIGHT
    Xvnc -noreset -displayfd 3 -geometry "${1}x$2" -depth 24 -nolisten tcp -SecurityTypes None -rfbport -1 \
        -rfbunixpath "$WORK/vnc.sock" 3>"$WORK/display" >"$WORK/xvnc.log" 2>&1 &
    x_server_up xvnc
}

x_server_up() { # NAME
    PIDS="$PIDS $!"
    wait_for 10 '[ -s "$WORK/display" ]' || die "$1 did not start: $(cat "$WORK/$1.log")"
    DISPLAY_NO=$(head -n 1 "$WORK/display")
    export DISPLAY=":$DISPLAY_NO" GDK_BACKEND=x11
    unset WAYLAND_DISPLAY
}

# start_wm NAME COMMAND...: a window manager, its output in $WORK/NAME.log and
# its process in WM_PID, once it has announced itself on the root window.
start_wm() {
    name=$1
    shift
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null
    "$@" >"$WORK/$name.log" 2>&1 &
    WM_PID=$!
    PIDS="$PIDS $WM_PID"
    wait_for 10 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        die "$name did not start: $(cat "$WORK/$name.log")"
}

start_openbox() {
    start_wm openbox openbox --sm-disable
    OPENBOX_PID=$WM_PID
}

# start_bus VARIABLE: a bus daemon of our own, its address exported in
# VARIABLE.
start_bus() {
    rm -f "$WORK/bus"
    dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    wait_for 10 '[ -s "$WORK/bus" ]' || die "dbus-daemon did not start"
    export "$1=$(head -n 1 "$WORK/bus")"
}

# Ends everything started so far (the X server too), for a script that runs
# one desktop after another.
# A process still there 5 s after it was asked to end is killed outright,
# and named, rather than waited for until the test's time runs out.
end_session() {
    local pid
    for pid in $PIDS; do kill "$pid" 2>/dev/null; done
    for pid in $PIDS; do
        if ! wait_for 5 'ended "$pid"'; then
            echo "note: $(ps -o args= -p "$pid" 2>/dev/null) ($pid) did not end when asked; killed" >&2
            kill -9 "$pid" 2>/dev/null
        fi
        wait "$pid" 2>/dev/null
    done
    PIDS=""
    rm -f "$WORK/display"
}

# launch_strip COMMAND...: starts the strip program COMMAND runs, its output
# in $WORK/seastrip.log and its process in STRIP_PID, and waits for its
# strip window.
launch_strip() {
    "$@" >"$WORK/seastrip.log" 2>&1 &
    STRIP_PID=$!
    PIDS="$PIDS $STRIP_PID"
    wait_for 15 'find_strip_of "$STRIP_PID"' || die "the strip window did not appear"
}

# geometry WINDOW -> "x y w h" of the window on the screen
geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# The strip window of a process, in STRIP; false while it has none.
find_strip_of() { # PID
    STRIP=$(xdotool search --all --onlyvisible --pid "$1" --name '^Seastrip$' 2>/dev/null | head -n 1)
    [ -n "$STRIP" ]
}

# Windows of the strip's process (STRIP_PID) other than its strip that lie
# on the screen: open menus and dialogs (GTK parks a small helper window off
# the screen).
others() {
    for w in $(xdotool search --onlyvisible --pid "$STRIP_PID" 2>/dev/null); do
        [ "$w" = "$STRIP" ] && continue
        set -- $(geometry "$w")
        [ "${1:-0}" -ge 0 ] && [ "${2:-0}" -ge 0 ] && echo "$w"
    done
}
none_open() { [ -z "$(others)" ]; }

# Right-clicks the strip's own surface, MENU_ROW device rows down (18 unless
# set: below the stars, above the waves), away from the palm and the clouds,
# until its menu opens. A press on a visible element opens nothing, so should
# the shooting star or a drifting cloud pass under the pointer, the next spot
# is tried.
open_menu() {
    for x in 600 430 300; do
        xdotool mousemove "$x" $(($(geometry "$STRIP" | cut -d" " -f2) + ${MENU_ROW:-18})) click 3
        wait_for 2 '[ -n "$(others)" ]' && return 0
    done
    die "the popup menu did not open"
}
# choose KEY...: the menu item the keys lead to, then Return.
choose() { open_menu && xdotool key "$@" Return; }

# A tint2 panel from a few settings lines, in the file NAME.rc so that it
# can be edited and reloaded (kill -USR1), drawn in PANEL_COLOUR unless they
# say otherwise (tint2 takes a setting's last line); its process in
# PANEL_PID.
PANEL_COLOUR=203040
start_panel() { # NAME SETTINGS...
    name=$1
    shift
    printf '%s\n' "rounded = 0" "border_width = 0" "background_color = #$PANEL_COLOUR 100" \
        "panel_background_id = 1" "panel_items = C" "time1_format = %H:%M" "strut_policy = follow_size" "$@" \
        >"$WORK/$name.rc"
    tint2 -c "$WORK/$name.rc" >"$WORK/$name.log" 2>&1 &
    PANEL_PID=$!
    PIDS="$PIDS $PANEL_PID"
}
