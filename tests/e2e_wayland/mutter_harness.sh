#!/bin/sh
# The backend choice on GNOME's compositor: headless mutter offers no
# layer-shell, so the stand-in client, left to choose for itself, must go
# through Xwayland and map there as an X11 window, showing its colour; told
# GDK_BACKEND=wayland it must take Wayland instead, as a plain window.
#
# usage: mutter_harness.sh LAYER_CLIENT

CLIENT_BUILT=$1
COLOUR=FF8000  # what the client paints

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin mutter e2e_wayland/mutter_session
CLIENT=$(user_copy "$CLIENT_BUILT")

reported() { grep -qx "$2" "$WORK/$1.log"; }

mutter_start 1024 768

# --- left to choose: Xwayland ---------------------------------------------------------
spawn "$WORK/chosen.log" "$CLIENT"
wait_for 10 'reported chosen "layer no"' || die "the client did not start: $(cat "$WORK/chosen.log")"
reported chosen "backend x11" && pass "without layer-shell, the client chose X11" ||
    fail "the client did not choose X11: $(cat "$WORK/chosen.log")"
WINDOW=""
find_window() {
    WINDOW=$(as_user xwininfo -root -tree 2>/dev/null | awk '/"Seastrip layer test"/ {print $1; exit}')
    [ -n "$WINDOW" ] && as_user xwininfo -id "$WINDOW" 2>/dev/null | grep -q 'Map State: IsViewable'
}
wait_for 10 find_window && pass "its window maps through Xwayland" ||
    fail "no viewable window through Xwayland: $(as_user xwininfo -root -tree 2>&1 | head -n 20)"
# Mapped is not yet drawn: wait for the client's colour in the window.
drawn() {
    as_user import -window "$WINDOW" "$WORK/window.png" 2>/dev/null &&
        [ "$(convert "$WORK/window.png" -alpha off -depth 8 -format '%k #%[hex:p{0,0}]' info:)" = "1 #$COLOUR" ]
}
[ -n "$WINDOW" ] && wait_for 5 drawn && pass "and shows its colour there" ||
    fail "the window does not show the client's colour"

# --- GDK_BACKEND chooses: Wayland ---------------------------------------------------------
SESSION_ENV="$SESSION_ENV GDK_BACKEND=wayland"
spawn "$WORK/told.log" "$CLIENT"
wait_for 10 'reported told "layer no"' && reported told "backend wayland" &&
    pass "GDK_BACKEND=wayland is obeyed: a plain Wayland window, no layer surface" ||
    fail "with GDK_BACKEND=wayland: $(cat "$WORK/told.log")"

e2e_end "the mutter harness passed" "$WORK/mutter.log"
