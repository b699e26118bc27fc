#!/bin/sh
# The strip itself on headless sway: left to choose, it must become a layer
# surface whose rows sit directly on the bar across the whole output, with
# the sky seastrip-render draws at that width; a second copy in the session
# must leave it alone; it must follow the bar's height and a new output
# resolution (a new width laid out afresh), and with --monitor HEADLESS-2
# sit on the second output instead; with --reserve a tiled window ends on
# its top edge, and on the bar again once it has ended.
#
# usage: strip_on_sway.sh SEASTRIP SEASTRIP_RENDER [SHOT_FOLDER]

SEASTRIP_BUILT=$1
RENDER=$2
SHOTS=${3:-}

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin strip-sway e2e_wayland/sway_session e2e_strip_pixels
# The wave sound beside the program, where a build keeps it.
SEASTRIP=$(user_copy "$SEASTRIP_BUILT" "$(dirname "$SEASTRIP_BUILT")/zem.wav")
need_tools compare

start_strip() { # ARGS...
    spawn "$WORK/seastrip.log" "$SEASTRIP" "$@"
    STRIP_PID=$SPAWNED
}

stop_strip() { kill -- "-$STRIP_PID"; wait_for 5 'ended "$STRIP_PID"' || die "the strip did not end"; }

# on_bar NAME OUTPUT W H BAR_H [relaid]: a screenshot of OUTPUT shows the bar
# at the bottom and the strip's rows directly above it, matching the
# rendering at width W (after a new width, relaid_sky's way). Tries for a few
# seconds, since a change takes a moment to show.
bar_and_strip() {
    sway_shot "$WORK/$1.png" "$2" || die "grim failed"
    [ "$(column_runs "$WORK/$1.png" $(($3 / 2)) | tail -n 1)" = "$5 #$SWAY_BAR_COLOUR" ] || return 1
    convert "$WORK/$1.png" -crop "${3}x$STRIP_H+0+$(($4 - $5 - STRIP_H))" +repage "$WORK/$1_strip.png"
    if [ "${6:-}" = relaid ]; then
        MISMATCH=$(relaid_sky "$WORK/$1_strip.png" "$3")
        [ "$MISMATCH" = ok ]
    else
        still_matches "$WORK/$1_strip.png" "$3"
        matched=$?
        MISMATCH="$DIFFER of $COMPARED still pixels differ"
        return $matched
    fi
}
on_bar() {
    retry 20 0.3 bar_and_strip "$@"
    matched=$?
    [ -n "$SHOTS" ] && cp "$WORK/$1.png" "$SHOTS/sway_$1.png"
    return $matched
}

sway_start 1024 768
SESSION_ENV="$SESSION_ENV SEASTRIP_CONFIG_DIR=$(settings_folder)"

# --- on the bar ---------------------------------------------------------------------
MISMATCH="no bar at the bottom"
start_strip
on_bar first HEADLESS-1 1024 768 "$SWAY_BAR_H" &&
    pass "the strip's rows sit directly on the bar, 1024 wide, matching the rendering ($MISMATCH)" ||
    fail "the strip is not on the bar as rendered at 1024 ($MISMATCH)"
# By now the ticks go straight onto the surface, past GTK's painting. Three
# moments of the waves, each a step of the rendered cycle.
sleep 1
for shot in 1 2 3; do
    date +%H:%M:%S >"$WORK/waves_$shot.clock"
    sway_shot "$WORK/waves.png" HEADLESS-1 || die "grim failed"
    convert "$WORK/waves.png" -crop "1024x$STRIP_H+0+$((768 - SWAY_BAR_H - STRIP_H))" +repage "$WORK/waves_$shot.png"
    sleep 0.4
done
bands=""
for shot in 1 2 3; do bands="$bands $(wave_band_seen "$WORK/waves_$shot.png" 1024 "$(cat "$WORK/waves_$shot.clock")")"; done
case "$bands" in
" 0 0 0") pass "the waves on the surface are steps of the rendered wave cycle, pixel for pixel, three times" ;;
*) fail "the waves on the surface differ from every step of the rendered wave cycle (pixels at best:$bands)" ;;
esac
windows=$(as_user swaymsg -t get_tree | jq "[.. | objects | select(.pid? == $STRIP_PID)] | length")
[ "$windows" = 0 ] && pass "no window and no title bar: the strip is not in sway's tree" ||
    fail "the strip is a window in sway's tree ($windows nodes)"

# One strip per session: on Wayland the session is the compositor's socket.
socket=$(echo "$SESSION_ENV" | sed -n 's/.*WAYLAND_DISPLAY=\([^ ]*\).*/\1/p')
second=$(as_user timeout 10 "$SEASTRIP" 2>&1)
status=$?
case "$status $second" in
"0 "*"already running on the display $socket") pass "a second copy says so and exits 0" ;;
*) fail "a second copy: status $status, '$second'" ;;
esac

BAR_H=40
sway_msg bar strip-bar height "$BAR_H" || die "sway refused the bar height"
on_bar taller HEADLESS-1 1024 768 "$BAR_H" && pass "the strip moved up onto the $BAR_H-pixel bar" ||
    fail "the strip did not follow the bar ($MISMATCH)"

# --- a new resolution: a new width ----------------------------------------------------------
sway_msg output HEADLESS-1 resolution 1280x720 || die "sway refused the resolution"
on_bar wide HEADLESS-1 1280 720 "$BAR_H" relaid &&
    pass "at 1280 x 720 the strip is laid out afresh, 1280 wide, its sky as rendered" ||
    fail "after the resolution change the strip does not match the rendering at 1280 ($MISMATCH)"
ended "$STRIP_PID" && die "the strip ended: $(cat "$WORK/seastrip.log")"
stop_strip

# --- the second output ----------------------------------------------------------------------
sway_msg create_output || die "sway could not make a second output"
sway_msg output HEADLESS-2 resolution 800x600 || die "sway refused the second output's resolution"
start_strip --monitor HEADLESS-2
on_bar second HEADLESS-2 800 600 "$BAR_H" &&
    pass "with --monitor HEADLESS-2 the strip sits on the second output's bar, 800 wide ($MISMATCH)" ||
    fail "with --monitor HEADLESS-2 the strip is not on the second output as rendered at 800 ($MISMATCH)"
[ -s "$WORK/seastrip.log" ] && fail "the strip wrote to its output: $(cat "$WORK/seastrip.log")"
stop_strip

# --- the reserved row: a tiled window ends above the strip, and the row is free again after it ---
window_bottom() { # APP_ID -> the bottom edge of its window in sway's tree
    as_user swaymsg -t get_tree | jq "[.. | objects | select(.app_id? == \"$1\") | .rect.y + .rect.height][0]"
}
sway_msg focus output HEADLESS-1 || die "sway could not focus the first output"
start_strip --monitor HEADLESS-1 --reserve
# sway stacks the reserving strip on the output's edge, the bar above it.
at_edge() {
    sway_shot "$WORK/reserved.png" HEADLESS-1 || return 1
    convert "$WORK/reserved.png" -crop "1280x$STRIP_H+0+$((720 - STRIP_H))" +repage "$WORK/reserved_strip.png"
    MISMATCH=$(relaid_sky "$WORK/reserved_strip.png" 1280)
    [ "$MISMATCH" = ok ] && [ "$(row_colours "$WORK/reserved.png" $((720 - STRIP_H - 1)) 200 1000)" = "1 #$SWAY_BAR_COLOUR" ]
}
wait_for 6 at_edge && pass "with --reserve the strip is on the output's edge under the bar, its sky as rendered" ||
    fail "with --reserve the strip is not on the output's edge under the bar ($MISMATCH)"
spawn "$WORK/zenity.log" env GDK_BACKEND=wayland zenity --text-info --filename=/dev/null
wait_for 10 '[ "$(window_bottom zenity)" = $((720 - BAR_H - STRIP_H)) ]' &&
    pass "with --reserve a tiled window ends on the bar above the strip" ||
    fail "with --reserve the tiled window ends at $(window_bottom zenity), not $((720 - BAR_H - STRIP_H))"
kill -- "-$STRIP_PID"
wait_for 5 '[ "$(window_bottom zenity)" = $((720 - BAR_H)) ]' &&
    pass "after the strip ends the window reaches the bar again" ||
    fail "after the strip ended the tiled window still ends at $(window_bottom zenity)"

e2e_end "the strip passed on sway"
