#!/bin/sh
# The layer surface on a real compositor: headless sway with a bottom bar,
# and the stand-in client that uses the program's backend choice and layer
# surface code. Left to choose for itself, the client must take Wayland and
# sit directly on the bar, as wide as the output, 28 pixels high, with no
# title bar; it must follow the bar's height, a new output resolution, and
# go to the second output with --monitor 1.
#
# usage: sway_harness.sh LAYER_CLIENT

CLIENT_BUILT=$1
COLOUR=FF8000  # what the client paints

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin sway e2e_wayland/sway_session
CLIENT=$(user_copy "$CLIENT_BUILT")

# The client's reports are in NAME.log.
reported() { grep -qx "$2" "$WORK/$1.log"; }

# on_bar SHOT X BAR_H: the column at X ends in the strip's rows, then the bar.
on_bar() {
    [ "$(column_runs "$1" "$2" | tail -n 2 | tr '\n' ' ')" = "$STRIP_H #$COLOUR $3 #$SWAY_BAR_COLOUR " ]
}
# full_width SHOT Y W: the row at Y is the client's colour from 0 to W - 1.
full_width() { [ "$(row_colours "$1" "$2" 0 "$3")" = "1 #$COLOUR" ]; }

# placed SHOT OUTPUT W H BAR_H: a fresh screenshot of OUTPUT shows the strip
# on the bar across the whole width.
placed() {
    sway_shot "$WORK/$1" "$2" && on_bar "$WORK/$1" $(($3 / 2)) "$5" &&
        full_width "$WORK/$1" $(($4 - $5 - STRIP_H)) "$3" && full_width "$WORK/$1" $(($4 - $5 - 1)) "$3"
}

sway_start 1024 768

# --- the first output ------------------------------------------------------------
spawn "$WORK/first.log" "$CLIENT"
FIRST_PID=$SPAWNED
wait_for 10 'reported first "width 1024"' || die "the client reported no width 1024: $(cat "$WORK/first.log")"
reported first "backend wayland" && reported first "layer yes" &&
    pass "offered layer-shell, the client chose Wayland and became a layer surface" ||
    fail "the client did not become a layer surface: $(cat "$WORK/first.log")"
wait_for 5 "placed first.png HEADLESS-1 1024 768 $SWAY_BAR_H" &&
    pass "the surface sits directly on the bar, 1024 wide, $STRIP_H high" ||
    fail "not on the bar at full width; the middle column: $(column_runs "$WORK/first.png" 512 | tr '\n' ',')"
# A window, which would get a title bar, is a node of sway's tree; a layer
# surface is not.
windows=$(as_user swaymsg -t get_tree | jq "[.. | objects | select(.pid? == $FIRST_PID)] | length")
[ "$windows" = 0 ] && pass "no window and no title bar: the surface is not in sway's tree" ||
    fail "the client is a window in sway's tree ($windows nodes)"

# --- the bar changes height ---------------------------------------------------------
BAR_H=44
sway_msg bar strip-bar height "$BAR_H" || die "sway refused the bar height"
wait_for 5 "placed bar.png HEADLESS-1 1024 768 $BAR_H" &&
    pass "the bar grew to $BAR_H and the surface moved up to stay on it" ||
    fail "the surface did not follow the bar; the middle column: $(column_runs "$WORK/bar.png" 512 | tr '\n' ',')"

# --- a new resolution ----------------------------------------------------------------
sway_msg output HEADLESS-1 resolution 1280x720 || die "sway refused the resolution"
wait_for 5 'reported first "width 1280"' && wait_for 5 "placed wide.png HEADLESS-1 1280 720 $BAR_H" &&
    pass "at 1280 x 720 the surface is reported and drawn 1280 wide on the bar" ||
    fail "after the resolution change: $(tr '\n' ' ' <"$WORK/first.log"); the middle column:" \
        "$(column_runs "$WORK/wide.png" 640 | tr '\n' ',')"

# --- a second output ---------------------------------------------------------------
sway_msg create_output || die "sway could not make a second output"
sway_msg output HEADLESS-2 resolution 800x600 || die "sway refused the second output's resolution"
spawn "$WORK/second.log" "$CLIENT" --monitor 1
wait_for 10 'reported second "width 800"' && wait_for 5 "placed second.png HEADLESS-2 800 600 $BAR_H" &&
    pass "with --monitor 1 the surface sits on the second output's bar, 800 wide" ||
    fail "--monitor 1: $(tr '\n' ' ' <"$WORK/second.log"); its middle column:" \
        "$(column_runs "$WORK/second.png" 400 | tr '\n' ',')"
placed first_again.png HEADLESS-1 1280 720 "$BAR_H" && pass "the first surface stays on the first output" ||
    fail "the first output lost its surface"

[ -n "${SHOTS:-}" ] && sway_shot "$SHOTS/sway_layout.png"
e2e_end "the sway harness passed" "$WORK/sway.log"
