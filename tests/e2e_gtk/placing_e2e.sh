#!/bin/sh
# The strip keeps its place as the panel under it changes, on a real X
# server (Xvfb, openbox, a tint2 panel): a panel started after the strip, a
# taller panel, the panel moved to the top, a vertical panel on the left,
# and a work area for the monitor published by the window manager.
# Each time the strip must stand on the bottom of the free area, as wide as
# it is, within a second, and show there the sky seastrip-render draws at
# that width.
#
# usage: placing_e2e.sh SEASTRIP SEASTRIP_RENDER [SHOT_FOLDER]

SEASTRIP=$1
RENDER=$2
SHOTS=${3:-}

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin placing e2e_gtk/x_session e2e_strip_pixels
need_tools Xvfb openbox tint2 xdotool xwininfo xprop xsetroot import convert compare

start_xvfb "$SCREEN_W" "$SCREEN_H"
start_openbox
xsetroot -solid '#608060'
launch_strip env SEASTRIP_CONFIG_DIR="$WORK" "$SEASTRIP"

work_area_is() { xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= $1, $2, $3, $4"; }
SHOT_PREFIX=placing

# --- no panel: the bottom of the screen -----------------------------------------
placed bare 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W"

# --- a panel started after the strip ------------------------------------------------
start_panel panel "panel_position = bottom center horizontal" "panel_size = 100% 30"
wait_for 10 "work_area_is 0 0 $SCREEN_W $((SCREEN_H - 30))" || die "the panel reserved nothing: $(cat "$WORK/panel.log")"
placed panel 0 $((SCREEN_H - 30 - STRIP_H)) "$SCREEN_W"
set -- $(geometry "$(xdotool search --onlyvisible --pid "$PANEL_PID" | head -n 1)")
[ "$2" -eq $((SCREEN_H - 30)) ] || fail "the panel is not where it reserved its edge: $*"

# --- the panel grows (its settings reloaded) -------------------------------------------
sed -i 's/^panel_size = .*/panel_size = 100% 50/' "$WORK/panel.rc"
kill -USR1 "$PANEL_PID"
wait_for 10 "work_area_is 0 0 $SCREEN_W $((SCREEN_H - 50))" || die "the panel did not grow"
placed taller 0 $((SCREEN_H - 50 - STRIP_H)) "$SCREEN_W"

# --- the panel at the top: the strip back on the bottom, no gap ------------------------
sed -i 's/^panel_position = .*/panel_position = top center horizontal/' "$WORK/panel.rc"
kill -USR1 "$PANEL_PID"
wait_for 10 "work_area_is 0 50 $SCREEN_W $((SCREEN_H - 50))" || die "the panel did not move to the top"
placed top 0 $((SCREEN_H - STRIP_H)) "$SCREEN_W"

# --- a vertical panel on the left: the strip right of it, the rest of the width ---------
sed -i 's/^panel_position = .*/panel_position = center left vertical/; s/^panel_size = .*/panel_size = 100% 100/' \
    "$WORK/panel.rc"
kill -USR1 "$PANEL_PID"
wait_for 10 "work_area_is 100 0 $((SCREEN_W - 100)) $SCREEN_H" || die "the panel did not stand on the left"
placed left 100 $((SCREEN_H - STRIP_H)) $((SCREEN_W - 100))

# --- a work area per monitor, as some window managers publish it, goes first ----------------
xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "100,0,900,700"
placed published 100 $((700 - STRIP_H)) 900
xprop -root -remove _GTK_WORKAREAS_D0
placed unpublished 100 $((SCREEN_H - STRIP_H)) $((SCREEN_W - 100))

ended "$STRIP_PID" && fail "the strip ended"
[ -s "$WORK/seastrip.log" ] && fail "the strip wrote to its output: $(cat "$WORK/seastrip.log")"
e2e_end "the strip kept its place"
