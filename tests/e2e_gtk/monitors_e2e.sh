#!/bin/sh
# The strip on a screen that changes size and gains a second monitor, on a
# real X server that can do both (Xvnc, with openbox and tint2 panels): it
# follows a new resolution and a screen left without monitors, laid out
# afresh at each new width; with two monitors whose panels stand at
# different heights it sits on its own monitor's panel, follows the primary
# monitor, and with --monitor VNC-1 sits on that monitor, moves to the
# primary one while it is switched off and comes back when it returns.
#
# usage: monitors_e2e.sh SEASTRIP SEASTRIP_RENDER [SHOT_FOLDER]

SEASTRIP=$1
RENDER=$2
SHOTS=${3:-}

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin monitors e2e_gtk/x_session e2e_strip_pixels
need_tools Xvnc python3 openbox tint2 xrandr xdpyinfo xdotool xwininfo xprop xsetroot import convert compare

start_xvnc 1024 768
start_openbox
xsetroot -solid '#608060'

start_strip() { launch_strip env SEASTRIP_CONFIG_DIR="$WORK" "$SEASTRIP" "$@"; } # ARGS...
SHOT_PREFIX=monitors
screen_is() { xdpyinfo | grep -q "dimensions: *$1 pixels"; }

# --- one monitor changing resolution ---------------------------------------------------
start_strip
placed start 0 $((768 - STRIP_H)) 1024
xrandr --output VNC-0 --mode 1280x720 || die "xrandr could not set 1280x720"
placed wider 0 $((720 - STRIP_H)) 1280
# Only the screen shrinks: its one output no longer fits and is switched off,
# and the strip takes the whole screen.
xrandr --fb 800x600 >/dev/null 2>&1
screen_is 800x600 || die "the screen did not shrink: $(xdpyinfo | grep dimensions)"
placed no_monitor 0 $((600 - STRIP_H)) 800
xrandr --output VNC-0 --mode 1024x768 || die "xrandr could not switch VNC-0 on again"
placed again 0 $((768 - STRIP_H)) 1024

# --- two monitors, their panels at different heights -------------------------------------
# The second monitor is shorter, so its panel reserves more of the screen's
# bottom edge: the window manager's single work area is 550 high.
python3 "$HERE/vnc_layout.py" "$WORK/vnc.sock" 0,0,1024,768 1024,0,800,600 || die "Xvnc took no second monitor"
start_panel first "panel_monitor = 1" "panel_position = bottom center horizontal" "panel_size = 100% 30"
start_panel second "panel_monitor = 2" "panel_position = bottom center horizontal" "panel_size = 100% 50"
wait_for 10 'xprop -root _NET_WORKAREA | grep -q "= 0, 0, 1824, 550"' ||
    die "the panels reserved no edges: $(xprop -root _NET_WORKAREA)"
placed own_panel 0 $((768 - 30 - STRIP_H)) 1024
xrandr --output VNC-1 --primary
placed primary 1024 $((600 - 50 - STRIP_H)) 800
kill "$STRIP_PID"
wait_for 5 'ended "$STRIP_PID"' || die "the strip did not end"
xrandr --output VNC-0 --primary

# --- --monitor VNC-1: away while it is off, back when it returns -----------------------------
start_strip --monitor VNC-1
placed named 1024 $((600 - 50 - STRIP_H)) 800
xrandr --output VNC-1 --off
# The second panel moves to the remaining monitor too; the strip stands on
# whichever edge is higher.
screen_is 1024x768 || die "the screen did not shrink to one monitor"
wait_for 5 'xprop -root _NET_WORKAREA | grep -q "= 0, 0, 1024, 718"' ||
    die "the panels did not settle on the one monitor: $(xprop -root _NET_WORKAREA)"
placed gone 0 $((768 - 50 - STRIP_H)) 1024
xrandr --output VNC-1 --mode 800x600 --right-of VNC-0 || die "xrandr could not switch VNC-1 on again"
placed back 1024 $((600 - 50 - STRIP_H)) 800 5

ended "$STRIP_PID" && fail "the strip ended"
[ -s "$WORK/seastrip.log" ] && fail "the strip wrote to its output: $(cat "$WORK/seastrip.log")"
e2e_end "the strip followed the monitors"
