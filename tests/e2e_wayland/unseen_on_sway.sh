#!/bin/sh
# The strip as a layer surface on headless sway while a full-screen window
# covers it: sway answers no frame callback of a surface it does not show,
# so the strip stops and sends the compositor nothing at all; once the
# window is closed, the strip shows the present scene again, still pixel for
# still pixel as seastrip-render draws it. Its requests are counted in the
# Wayland library's own log (WAYLAND_DEBUG).
#
# usage: unseen_on_sway.sh SEASTRIP SEASTRIP_RENDER
set -u

SEASTRIP_BUILT=$1
RENDER=$2
STRIP_H=28
W=1024
H=768

HERE=$(dirname "$0")
. "$HERE/../e2e_lib.sh"
e2e_begin unseen-sway
. "$HERE/sway_session.sh"
. "$HERE/../e2e_strip_pixels.sh"
SEASTRIP=$(user_copy "$SEASTRIP_BUILT" "$(dirname "$SEASTRIP_BUILT")/zem.wav")
need_tools compare
/usr/bin/python3 -c 'import gi; gi.require_version("Gtk", "3.0")' 2>/dev/null || die "python3-gi is missing (make deps)"

sway_start "$W" "$H"
SESSION_ENV="$SESSION_ENV SEASTRIP_CONFIG_DIR=$(settings_folder)"
spawn "$WORK/seastrip.log" env WAYLAND_DEBUG=client "$SEASTRIP"
STRIP_PID=$SPAWNED
requests() { grep -c ' -> ' "$WORK/seastrip.log"; }

# The strip's rows above the bar match the present time's rendering.
shot_strip() {
    sway_shot "$WORK/shot.png" || die "grim failed"
    convert "$WORK/shot.png" -crop "${W}x$STRIP_H+0+$((H - SWAY_BAR_H - STRIP_H))" +repage "$WORK/strip.png"
}
shows_present_scene() { matches_rendering_soon 20 0.3 "$W" shot_strip; }
shows_present_scene || die "the strip did not show on the bar: $DIFFER of $COMPARED still pixels differ"

spawn "$WORK/cover.log" /usr/bin/python3 -c '
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
window = Gtk.Window(title="cover")
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()'
COVER_PID=$SPAWNED
wait_for 10 'sway_msg "[title=\"^cover$\"] fullscreen enable" 2>/dev/null' || die "the covering window did not appear"
# The strip notices within a few seconds that its frames go unanswered.
sleep 4
before=$(requests)
sleep 4
sent=$(($(requests) - before))
if [ "$sent" -eq 0 ]; then
    pass "under a full-screen window the strip sends the compositor nothing for 4 s"
else
    fail "under a full-screen window the strip sent $sent requests in 4 s"
fi

kill -- "-$COVER_PID"
if shows_present_scene; then
    pass "the window closed, the strip shows the present scene ($DIFFER of $COMPARED still pixels differ)"
else
    fail "the window closed, $DIFFER of $COMPARED still pixels differ from the present scene"
fi
before=$(requests)
sleep 1
[ "$(requests)" -gt "$before" ] || fail "the strip does not draw any more"
exit "$FAILED"
