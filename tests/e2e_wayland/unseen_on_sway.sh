#!/bin/sh
# The strip as a layer surface on headless sway while a full-screen window
# covers it: sway answers no frame callback of a surface it does not show,
# so the strip stops and sends the compositor nothing at all; once the
# window is closed, the strip shows the present scene again, still pixel for
# still pixel as seastrip-render draws it. Its requests are counted in the
# Wayland library's own log (WAYLAND_DEBUG).
#
# usage: unseen_on_sway.sh SEASTRIP SEASTRIP_RENDER

SEASTRIP_BUILT=$1
RENDER=$2

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin unseen-sway e2e_wayland/sway_session e2e_strip_pixels
SEASTRIP=$(user_copy "$SEASTRIP_BUILT" "$(dirname "$SEASTRIP_BUILT")/zem.wav")
need_tools compare zenity

sway_start "$SCREEN_W" "$SCREEN_H"
SESSION_ENV="$SESSION_ENV SEASTRIP_CONFIG_DIR=$(settings_folder)"
spawn "$WORK/seastrip.log" env WAYLAND_DEBUG=client "$SEASTRIP"
STRIP_PID=$SPAWNED
requests() { grep -c ' -> ' "$WORK/seastrip.log"; }

# The strip's rows above the bar match the present time's rendering.
strip_shown() {
    sway_shot "$WORK/shot.png" || die "grim failed"
    convert "$WORK/shot.png" -crop "${SCREEN_W}x$STRIP_H+0+$((SCREEN_H - SWAY_BAR_H - STRIP_H))" +repage "$WORK/strip.png"
    still_matches "$WORK/strip.png" "$SCREEN_W"
}
shown_now() { retry 20 0.3 strip_shown; }
shown_now || die "the strip did not show on the bar: $DIFFER of $COMPARED still pixels differ"

# A full-screen window over the strip: the strip notices within a few
# seconds that its frames go unanswered.
cover() {
    spawn "$WORK/cover.log" env GDK_BACKEND=wayland zenity --text-info --filename=/dev/null
    COVER_PID=$SPAWNED
    wait_for 10 'sway_msg "[app_id=\"^zenity$\"] fullscreen enable" 2>/dev/null' || die "the covering window did not appear"
}
uncover() { kill -- "-$COVER_PID"; }
out_of_sight "a full-screen window over the strip" cover uncover 4
draws_on
exit "$FAILED"
