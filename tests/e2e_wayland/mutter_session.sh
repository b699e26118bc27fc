# A headless session of GNOME's compositor, mutter, for the Wayland tests: a
# Wayland compositor without layer-shell, with Xwayland for X11 clients.
# Sourced, not run, after tests/e2e_lib.sh and its e2e_begin, from a
# script in this folder. mutter wants a D-Bus session bus, so it runs under
# dbus-run-session.
#
#   mutter_start W H    the session on one virtual W x H monitor
#   as_user, spawn      running things in it, Wayland and X11 clients alike
#                       (session_user.sh); the session bus is theirs too
#   input_start HELPER  a user's pointer and keyboard through the compositor
#                       (mutter_input.cpp, copied with user_copy)
#   input CMD...        one command to it ("move X Y", "click N", "type
#                       WORD"), waiting until it is done
#   mutter_stop         ends the session, Xwayland and the bus with it

need_tools mutter Xwayland dbus-run-session xwininfo convert

# The folder of the session scripts: the calling script's, unless it says.
. "${SESSION_LIBS:-$(dirname "$0")}/session_user.sh"
# The test's cleanup ends the session first, with everything in it.
E2E_STOP=mutter_stop

mutter_start() { # W H
    # The bus's address is written down for the session's other clients.
    spawn "$WORK/mutter.log" dbus-run-session -- sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$0" && exec "$@"' \
        "$SESSION_RUNTIME/bus" mutter --headless --virtual-monitor "${1}x$2" --wayland --wayland-display=wayland-0
    MUTTER_PID=$SPAWNED
    # mutter picks a free X display for Xwayland and says which; the
    # Wayland socket is the one named above, in the session's own folder.
    mutter_ready() {
        display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/mutter.log" | head -n 1)
        auth=$(ls "$SESSION_RUNTIME"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
        [ -S "$SESSION_RUNTIME/wayland-0" ] && [ -n "$display" ] && [ -n "$auth" ] && [ -s "$SESSION_RUNTIME/bus" ]
    }
    wait_for 15 mutter_ready || die "mutter did not start: $(cat "$WORK/mutter.log")"
    SESSION_ENV="WAYLAND_DISPLAY=wayland-0 DISPLAY=$display XAUTHORITY=$auth"
    SESSION_ENV="$SESSION_ENV DBUS_SESSION_BUS_ADDRESS=$(cat "$SESSION_RUNTIME/bus")"
    wait_for 15 'as_user xwininfo -root >/dev/null 2>&1' ||
        die "Xwayland did not answer on $display: $(cat "$WORK/mutter.log")"
}

input_start() { # HELPER
    mkfifo "$WORK/input.fifo"
    [ -n "$SESSION_USER" ] && chown 65534:65534 "$WORK/input.fifo"
    spawn "$WORK/input.log" sh -c 'exec "$0" <"$1"' "$1" "$WORK/input.fifo"
    # Held open for the whole session: the helper ends at the end of input.
    exec 7>"$WORK/input.fifo"
    wait_for 10 'grep -q "^ready$" "$WORK/input.log"' || die "no remote input: $(cat "$WORK/input.log")"
}

input() { # CMD...
    answers=$(grep -c -e '^done$' -e '^failed$' "$WORK/input.log")
    echo "$*" >&7
    wait_for 5 '[ "$(grep -c -e "^done$" -e "^failed$" "$WORK/input.log")" -gt "$answers" ]' &&
        [ "$(tail -n 1 "$WORK/input.log")" = done ] || die "input $*: $(tail -n 3 "$WORK/input.log")"
}

mutter_stop() {
    [ -n "${MUTTER_PID:-}" ] || return 0
    [ -p "$WORK/input.fifo" ] && exec 7>&-
    # dbus-run-session leaves mutter running when it is ended alone; the
    # group holds the bus, mutter and Xwayland.
    kill -- "-$MUTTER_PID" 2>/dev/null
    wait "$MUTTER_PID" 2>/dev/null
    MUTTER_PID=""
}
