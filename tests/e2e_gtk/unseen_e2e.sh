#!/bin/sh
# End-to-end test of the strip while nobody can see it, on Xvfb with openbox:
# while the screen saver runs, while a full-screen window covers the strip
# and while the session is locked (a login manager's double on a private
# system bus), the strip sends the X server nothing at all; when it can be
# seen again it shows at once the present time's scene, still pixel for
# still pixel as seastrip-render draws it. Its requests are counted by
# xtrace, through which it reaches the server.
#
# usage: unseen_e2e.sh SEASTRIP SEASTRIP_RENDER

SEASTRIP=$1
RENDER=$2
SYSTEM_PYTHON=/usr/bin/python3

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin unseen e2e_gtk/x_session e2e_strip_pixels
need_tools Xvfb openbox xtrace xset xmessage wmctrl xdotool dbus-daemon gdbus import convert compare
"$SYSTEM_PYTHON" -c 'import dbusmock' 2>/dev/null || die "python3-dbusmock is missing (make deps installs it)"

start_xvfb "$SCREEN_W" "$SCREEN_H"
start_openbox

# A system bus of our own with a login manager on it that knows session c1.
start_bus DBUS_SYSTEM_BUS_ADDRESS
"$SYSTEM_PYTHON" -m dbusmock --system --template logind >"$WORK/logind.log" 2>&1 &
PIDS="$PIDS $!"
LOGIN="--system --dest org.freedesktop.login1"
wait_for 10 'gdbus call $LOGIN --object-path /org/freedesktop/login1 --method org.freedesktop.DBus.Mock.AddSession c1 seat0 1000 user true >/dev/null 2>&1' ||
    die "the login manager's double did not start: $(cat "$WORK/logind.log")"
lock() { gdbus call $LOGIN --object-path /org/freedesktop/login1/session/c1 \
    --method org.freedesktop.login1.Session.SetLockedHint "$1" >/dev/null; }

# The strip reaches the server through xtrace, which writes down every request.
TRACED=":$((DISPLAY_NO + 500))"
xtrace -n -k -d "$DISPLAY" -D "$TRACED" >"$WORK/xtrace.log" 2>&1 &
PIDS="$PIDS $!"
wait_for 10 '[ -S "/tmp/.X11-unix/X$((DISPLAY_NO + 500))" ]' || die "xtrace did not start"
requests() { grep -cE '^[0-9]+:<:[0-9a-f]+:' "$WORK/xtrace.log"; }

mkdir -p "$WORK/config"
launch_strip env DISPLAY="$TRACED" XDG_SESSION_ID=c1 SEASTRIP_CONFIG_DIR="$WORK/config" "$SEASTRIP"
sleep 2

# The strip as it stands matches the present time's rendering, in a few tries.
strip_shown() { import -window "$STRIP" "$WORK/strip.png" 2>/dev/null && still_matches "$WORK/strip.png" "$SCREEN_W"; }
shown_now() { retry 10 0.2 strip_shown; }

cover() {
    xmessage -name cover "over the strip" >/dev/null 2>&1 &
    COVER_PID=$!
    PIDS="$PIDS $COVER_PID"
    wait_for 10 'wmctrl -l | grep -q " cover$"' || die "the covering window did not appear"
    wmctrl -r cover -b add,fullscreen
    wmctrl -a cover
}
uncover() { kill "$COVER_PID"; }

# what hides it | what shows it again | what that is
while IFS='|' read -r hide show what; do
    out_of_sight "$what" "$hide" "$show" 1
done <<END
xset s activate|xset s reset|the screen saver running
cover|uncover|a full-screen window over the strip
lock true|lock false|the session locked
END
draws_on
exit "$FAILED"
