#!/bin/sh
# End-to-end test of the desktop program on a real X server: Xvfb with the
# openbox window manager and a tint2 bottom panel. Drives the strip with
# xdotool and checks it with xwininfo and ImageMagick screenshots, and its
# wave sound with a sound device that writes to a file.
#
# usage: desktop_e2e.sh SEASTRIP SEASTRIP_RENDER [SHOT_FOLDER]
# SHOT_FOLDER, when given, keeps the screenshots taken on the way.

SEASTRIP=$1
RENDER=$2
SHOTS=${3:-}
PANEL_H=30

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin e2e e2e_gtk/x_session e2e_strip_pixels
need_tools Xvfb openbox tint2 xdotool xwininfo xprop import convert compare
CFG=$WORK/config
mkdir -p "$CFG"

# --- the desktop -------------------------------------------------------------
start_xvfb "$SCREEN_W" "$SCREEN_H"
start_openbox

# A taskbar and a clock, in tint2's own colours.
start_panel tint2 "panel_items = TC" "panel_size = 100% $PANEL_H" "panel_position = bottom center horizontal" \
    "panel_layer = top" "panel_background_id = 0"
WORKAREA_H=$((SCREEN_H - PANEL_H))
wait_for 10 'xprop -root _NET_WORKAREA 2>/dev/null | grep -q "0, 0, $SCREEN_W, $WORKAREA_H"' ||
    die "the panel did not reserve its strut: $(xprop -root _NET_WORKAREA)"
PANEL=$(xdotool search --onlyvisible --class tint2 | head -n 1)
set -- $(geometry "$PANEL")
PANEL_TOP=$2

# --- starting and finding the strip -------------------------------------------
# The strip's sound device writes what it plays to files, a new one each
# time it is opened.
SOUND=$WORK/sound.raw
echo "pcm.!default { type file; slave.pcm \"null\"; file \"$SOUND\"; format \"raw\"; truncate false }" \
    >"$WORK/asound.conf"
sound_bytes() { cat "$SOUND"* 2>/dev/null | wc -c; }
start_strip() {
    launch_strip env SEASTRIP_CONFIG_DIR="$CFG" ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$WORK/asound.conf" \
        "$SEASTRIP"
}

setting_is() { file_says "$CFG/seastrip.ini" "Sound=$1"; }

# check_scene SCENE NAME KEY...: chooses a scene by keyboard and checks the
# strip against the rendering.
check_scene() {
    scene=$1 name=$2
    shift 2
    choose "$@"
    wait_for 5 none_open || die "the menu did not close after choosing $name"
    # The strip repaints at once; give the redraw a few polls to land. A
    # scene chosen holds still enough to compare 10,000 pixels.
    scene_shown() {
        import -window "$STRIP" "$WORK/strip_$scene.png" 2>/dev/null &&
            still_matches "$WORK/strip_$scene.png" "$SCREEN_W" 1 --scene "$scene" && [ "$COMPARED" -ge 10000 ]
    }
    retry 10 0.2 scene_shown &&
        pass "$name: the strip matches the rendering of scene $scene ($DIFFER of $COMPARED still pixels differ)" ||
        fail "$name: $DIFFER of $COMPARED still pixels differ from the rendering of scene $scene"
    [ -n "$SHOTS" ] && cp "$WORK/strip_$scene.png" "$SHOTS/strip_$scene.png"
}

# The radio mark of a sound item: the lightness at its indicator's centre in
# the open sound submenu (the marked one has a dark dot).
mark_lightness() { # SHOT X Y
    convert "$1" -crop 3x3+$(($2 - 1))+$(($3 - 1)) -colorspace Gray -format "%[fx:round(mean*255)]" info:
}

# --- first run ------------------------------------------------------------------
start_strip
set -- $(geometry "$STRIP")
[ "$1" -eq 0 ] && [ "$3" -eq "$SCREEN_W" ] && [ "$4" -eq "$STRIP_H" ] && [ $(($2 + $4)) -eq "$PANEL_TOP" ] &&
    pass "the strip sits directly above the panel, full width, $STRIP_H pixels high" ||
    fail "strip geometry x=$1 y=$2 w=$3 h=$4, panel top $PANEL_TOP"
state=$(xprop -id "$STRIP" _NET_WM_STATE _NET_WM_DESKTOP WM_HINTS)
case "$state" in
*SKIP_TASKBAR*SKIP_PAGER*) pass "the strip is not in the taskbar or the pager" ;;
*) fail "taskbar and pager hints missing: $state" ;;
esac
echo "$state" | grep -q "_NET_WM_DESKTOP(CARDINAL) = 4294967295" && pass "the strip is on every workspace" ||
    fail "the strip is not on every workspace: $state"
echo "$state" | grep -q "ABOVE" && fail "the strip is kept above other windows"
[ "$(xdotool getwindowfocus)" != "$STRIP" ] && pass "the strip did not take the focus" ||
    fail "the strip took the keyboard focus"
[ -n "$SHOTS" ] && import -window root "$SHOTS/desktop_full.png"

wait_for 8 '[ "$(sound_bytes)" -gt 0 ]' && pass "with あり, the first setting, the waves are heard" ||
    fail "no wave sound reached the sound device within a wave cycle"
check_scene 345 "夜 (night)" Down Right Down Down Down Down
check_scene 0 "昼 (noon)" Down Right Down Down

# Sound off by keyboard: 波の音, then the second item.
choose Down Down Right Down
wait_for 5 'setting_is OFF' && pass "なし writes Sound=OFF" || fail "no Sound=OFF in the settings file"
# A sound that started before なし plays to its end; over a whole wave
# cycle after that nothing more is played.
one_second_silent() { heard=$(sound_bytes) && sleep 1 && [ "$(sound_bytes)" -eq "$heard" ]; }
retry 6 0 one_second_silent || die "the sound device was still being written to 6 s after なし"
heard=$(sound_bytes)
sleep 7
[ "$(sound_bytes)" -eq "$heard" ] && pass "with なし the next wave cycle is silent" ||
    fail "with なし the sound device still got $(($(sound_bytes) - heard)) bytes in a wave cycle"

# 終了 ends the process at once.
choose Down Down Down Down
wait_for 5 'ended "$STRIP_PID"' && pass "終了 ends the program" ||
    die "the program is still running after 終了"
wait "$STRIP_PID" 2>/dev/null
status=$?
[ "$status" -eq 0 ] && pass "exit status 0" || fail "exit status $status after 終了"

# --- second run: the switch was remembered ------------------------------------------
start_strip
open_menu
MENU=$(others | head -n 1)
set -- $(geometry "$MENU")
# Hovering over 波の音 (the second row) opens its submenu without selecting
# an item, so both marks show plainly.
xdotool mousemove $(($1 + 40)) $(($2 + 4 + 25 + 12))
wait_for 5 '[ "$(others | wc -l)" -ge 2 ]' || die "the sound submenu did not open"
sleep 0.3
SUB=""
for w in $(others); do [ "$w" != "$MENU" ] && SUB=$w; done
set -- $(geometry "$SUB")
import -window root "$WORK/submenu.png"
[ -n "$SHOTS" ] && cp "$WORK/submenu.png" "$SHOTS/menu.png"
on=$(mark_lightness "$WORK/submenu.png" $(($1 + 14)) $(($2 + $4 / 2 - 12)))
off=$(mark_lightness "$WORK/submenu.png" $(($1 + 14)) $(($2 + $4 / 2 + 12)))
[ "$off" -lt $((on - 60)) ] && pass "after a restart the mark is on なし (lightness あり $on, なし $off)" ||
    fail "after a restart the mark is not on なし (lightness あり $on, なし $off)"
xdotool key Escape Escape
wait_for 5 none_open || xdotool key Escape
wait_for 5 none_open || die "the menu did not close on Escape"

choose Down Down Right
wait_for 5 'setting_is ON' && pass "あり writes Sound=ON" || fail "no Sound=ON in the settings file"
heard=$(sound_bytes)
wait_for 8 '[ "$(sound_bytes)" -gt "$heard" ]' && pass "after あり the waves are heard again" ||
    fail "after あり no wave sound reached the sound device within a wave cycle"

# The version dialog opens, measures 263 x 75 inside, and OK (Enter) closes it.
choose Down Down Down
find_dialog() {
    DIALOG=$(xdotool search --all --onlyvisible --pid "$STRIP_PID" --name 'バージョン情報' 2>/dev/null | head -n 1)
    [ -n "$DIALOG" ]
}
wait_for 5 find_dialog || die "the version dialog did not open"
set -- $(geometry "$DIALOG")
[ "$3" -eq 263 ] && [ "$4" -eq 75 ] && pass "the version dialog opens, 263 x 75" ||
    fail "the version dialog measures $3 x $4"
[ -n "$SHOTS" ] && import -window root "$SHOTS/dialog.png"
xdotool key Return
wait_for 5 '! xwininfo -id "$DIALOG" >/dev/null 2>&1 || ! xwininfo -id "$DIALOG" | grep -q IsViewable' &&
    pass "Enter presses OK and closes the dialog" || fail "the dialog stayed open after Enter"

choose Down Down Down Down
wait_for 5 'ended "$STRIP_PID"' && pass "終了 ends the second run too" ||
    fail "the program is still running after 終了"

# --- no display ---------------------------------------------------------------------
message=$(env -u DISPLAY -u WAYLAND_DISPLAY "$SEASTRIP" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 1 ] && [ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] &&
    printf '%s' "$message" | grep -q "cannot open the display" &&
    pass "without a display: one line on stderr and status 1" ||
    fail "without a display: status $status, message '$message'"

e2e_end "all desktop checks passed" "$WORK/seastrip.log"
