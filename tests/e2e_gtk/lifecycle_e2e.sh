#!/bin/sh
# End-to-end test of what users and desktops do to a running strip, on Xvfb
# with and without the openbox window manager: starting it twice, the
# keyboard focus around its menu and dialog, replacing its program file,
# closing it from outside, a preset beside a program in a folder it cannot
# write, a failure message, a crashed copy, and the X server going away
# under it.
#
# usage: lifecycle_e2e.sh SEASTRIP FAILURE_PROBE

SEASTRIP=$1
PROBE=$2

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin life e2e_gtk/x_session
need_tools Xvfb openbox xdotool xwininfo xprop xmessage wmctrl strace setpriv

# The program runs from a folder of its own with its wave sound beside it,
# so it keeps its settings there; its own runtime folder holds the lock.
APP=$WORK/app
mkdir -p "$APP" "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
cp "$SEASTRIP" "$APP/seastrip"
cp "$(dirname "$SEASTRIP")/zem.wav" "$APP/zem.wav" || die "no zem.wav beside $SEASTRIP"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_RUNTIME_DIR=$WORK/runtime
unset SEASTRIP_CONFIG_DIR GDK_GL

start_xvfb "$SCREEN_W" "$SCREEN_H"
start_openbox

# A window the user is typing into: it has the keyboard focus throughout.
xmessage -geometry 300x80+100+100 "typing here" >/dev/null 2>&1 &
PIDS="$PIDS $!"
wait_for 10 'USER_WINDOW=$(xdotool search --onlyvisible --classname xmessage 2>/dev/null | head -n 1); [ -n "$USER_WINDOW" ]' ||
    die "the user's window did not appear"
xdotool windowfocus --sync "$USER_WINDOW" 2>/dev/null
wait_for 5 '[ "$(xdotool getwindowfocus)" = "$USER_WINDOW" ]' || die "the user's window did not take the focus"

# --- starting, and finding what a process shows --------------------------------
start_strip() { # NAME [PROGRAM ARGUMENT]
    "${2:-$APP/seastrip}" ${3:+"$3"} >"$WORK/$1.out" 2>"$WORK/$1.err" &
    STRIP_PID=$!
    PIDS="$PIDS $STRIP_PID"
    wait_for 15 'find_strip_of "$STRIP_PID"' || die "$1: the strip window did not appear: $(cat "$WORK/$1.err")"
}
# reap PID SECONDS WHAT: the child ends within SECONDS, or WHAT is the
# failure; its exit status in status (wait works only here, not in a command
# substitution's subshell).
reap() {
    wait_for "$2" "ended $1" || die "$3"
    wait "$1" 2>/dev/null
    status=$?
}
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The focus around the menu and the version dialog: the dialog, which the
# user asked for, takes it; afterwards the user's window has it again; the
# strip never has it.
check_focus() { # WHERE
    open_menu
    xdotool key Escape
    wait_for 5 none_open || die "$1: the menu did not close on Escape"
    wait_for 3 'focus_is "$USER_WINDOW"' && pass "$1: after the menu the user's window has the focus" ||
        fail "$1: after the menu the focus is on $(xdotool getwindowfocus), not the user's window"
    choose Down Down Down
    wait_for 5 'DIALOG=$(others); [ -n "$DIALOG" ] && focus_is "$DIALOG"' &&
        pass "$1: the version dialog takes the focus" ||
        fail "$1: the version dialog ($DIALOG) did not take the focus from $(xdotool getwindowfocus)"
    xdotool key Return
    wait_for 5 none_open || die "$1: Enter did not close the version dialog"
    wait_for 3 'focus_is "$USER_WINDOW"' && pass "$1: after the dialog the user's window has the focus again" ||
        fail "$1: after the dialog the focus is on $(xdotool getwindowfocus), not the user's window"
    focus_is "$STRIP" && fail "$1: the strip holds the focus"
}

# --- one strip per session ---------------------------------------------------------
start_strip first
FIRST_PID=$STRIP_PID
"$APP/seastrip" >"$WORK/second.out" 2>"$WORK/second.err" &
SECOND_PID=$!
PIDS="$PIDS $SECOND_PID"
reap "$SECOND_PID" 10 "a second copy on the same display keeps running"
[ "$status" -eq 0 ] && [ "$(wc -l <"$WORK/second.err")" -eq 1 ] &&
    grep -q "already running" "$WORK/second.err" && ! ended "$FIRST_PID" &&
    pass "a second copy exits 0 with one line ($(cat "$WORK/second.err")); the first runs on" ||
    fail "second copy: status $status, stderr '$(cat "$WORK/second.err")', first still running: $(ended "$FIRST_PID" && echo no || echo yes)"

# The strip draws without GL, so none of the GL drivers (nor the compiler
# they bring) is loaded.
gl=$(grep -E 'libGL|libLLVM|_dri\.so' "/proc/$FIRST_PID/maps" | awk '{print $6}' | sort -u)
[ -z "$gl" ] && pass "no GL library is loaded" || fail "GL libraries loaded: $gl"

check_focus "openbox"

# --- the program file replaced while it runs -----------------------------------------
rm "$APP/seastrip"
cp "$SEASTRIP" "$APP/seastrip"
choose Down Down Right Down
wait_for 5 'file_says "$APP/seastrip.ini" Sound=OFF' &&
    pass "after the program file was replaced, なし writes Sound=OFF to seastrip.ini beside it" ||
    fail "no Sound=OFF in $APP/seastrip.ini; settings files: $(find "$WORK" -name '*.ini')"
strays=$(find "$WORK" -name '*.ini' ! -path "$APP/seastrip.ini")
[ -z "$strays" ] || fail "settings written elsewhere: $strays"

# --- closing from outside ---------------------------------------------------------------
# wmctrl asks the window manager, which sends WM_DELETE_WINDOW.
wmctrl -c Seastrip
reap "$FIRST_PID" 5 "the strip is still running after wmctrl -c"
[ "$status" -eq 0 ] && [ ! -s "$WORK/first.err" ] && pass "a window manager's close request ends it: status 0, nothing on stderr" ||
    fail "after wmctrl -c: status $status, stderr '$(cat "$WORK/first.err")'"

# xdotool windowclose destroys the window outright.
start_strip destroyed
xdotool windowclose "$STRIP"
reap "$STRIP_PID" 5 "the strip is still running after its window was destroyed"
[ "$status" -eq 0 ] && [ ! -s "$WORK/destroyed.err" ] && pass "destroying its window ends it: status 0, nothing on stderr" ||
    fail "after xdotool windowclose: status $status, stderr '$(cat "$WORK/destroyed.err")'"

# --- a preset beside a program whose folder cannot be written ------------------------
# The folder holds a seastrip.ini saying Sound=OFF. It is read until the
# user's own choice is stored in the fallback under $XDG_CONFIG_HOME, whose
# folder appears only then, and which is read first from then on. strace
# shows which settings file each start opens. Root writes anywhere, so root
# runs the program as "nobody".
RO=$WORK/readonly
USER_HOME=$WORK/user
mkdir -p "$RO" "$USER_HOME/runtime"
cp "$SEASTRIP" "$RO/seastrip"
cp "$APP/zem.wav" "$RO/zem.wav"
printf '[Data]\nSound=OFF\n' >"$RO/seastrip.ini"
chmod 755 "$WORK"
chmod 555 "$RO"
chmod 700 "$USER_HOME/runtime"
AS_USER=""
if [ "$(id -u)" -eq 0 ]; then
    AS_USER="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chown -R 65534:65534 "$USER_HOME"
fi
FALLBACK=$USER_HOME/config/seastrip/seastrip.ini
start_readonly() { # NAME
    strace -f -qq -e trace=openat -o "$WORK/$1.trace" $AS_USER env HOME="$USER_HOME" \
        XDG_CONFIG_HOME="$USER_HOME/config" XDG_RUNTIME_DIR="$USER_HOME/runtime" "$RO/seastrip" \
        >"$WORK/$1.out" 2>"$WORK/$1.err" &
    TRACER_PID=$!
    PIDS="$PIDS $TRACER_PID"
    wait_for 15 'STRIP=$(xdotool search --onlyvisible --name "^Seastrip$" | head -n 1); [ -n "$STRIP" ]' ||
        die "$1: the strip did not appear: $(cat "$WORK/$1.err")"
    STRIP_PID=$(xprop -id "$STRIP" _NET_WM_PID | awk '{print $NF}')
}
opened() { grep -q "openat(.*\"$2\", O_RDONLY[^)]*) = [0-9]" "$WORK/$1.trace"; } # NAME FILE
close_readonly() {
    wmctrl -c Seastrip
    wait_for 5 'ended $TRACER_PID' || die "the read-only copy did not end on wmctrl -c"
}

start_readonly preset
opened preset "$RO/seastrip.ini" && [ ! -e "$USER_HOME/config" ] &&
    pass "a preset beside a program in a read-only folder is read; no fallback folder yet" ||
    fail "preset: opened $(grep -o '"[^"]*\.ini"' "$WORK/preset.trace" | sort -u | tr '\n' ' '), config folder: $(ls -d "$USER_HOME/config" 2>/dev/null)"
choose Down Down Right
wait_for 5 'file_says "$FALLBACK" Sound=ON' && file_says "$RO/seastrip.ini" Sound=OFF &&
    pass "あり is stored in the fallback \$XDG_CONFIG_HOME/seastrip/seastrip.ini; the preset is left as it was" ||
    fail "あり: fallback '$(cat "$FALLBACK" 2>/dev/null)', preset '$(cat "$RO/seastrip.ini")'"
close_readonly
start_readonly after_choice
opened after_choice "$FALLBACK" && ! opened after_choice "$RO/seastrip.ini" &&
    pass "from then on the fallback is read first" ||
    fail "after the choice: opened $(grep -o '"[^"]*\.ini"' "$WORK/after_choice.trace" | sort -u | tr '\n' ' ')"
close_readonly

# --- the failure message -----------------------------------------------------------------
# The probe is the program on a desktop that starts refusing one element's
# outlines after a second; it reports any tick that runs behind the message.
# The clouds fail in the main tick, the waves in the wave tick: each time the
# other timer must stop too.
check_failure() { # ELEMENT TICK
    start_strip "probe_$1" "$PROBE" "$1"
    PROBE_PID=$STRIP_PID
    err=$WORK/probe_$1.err
    wait_for 10 'MESSAGE=$(others); [ -n "$MESSAGE" ]' || die "$2: the failure message did not come up: $(cat "$err")"
    # Presses on the strip behind the message open nothing.
    for x in 600 430 300; do xdotool mousemove "$x" $((SCREEN_H - STRIP_H + 18)) click 3; done
    if wait_for 2 '[ "$(others | wc -l)" -gt 1 ]'; then fail "$2: a right-click behind the failure message opened the menu"; fi
    [ "$(grep -c "failure message" "$err")" -eq 1 ] && ! grep -q "behind" "$err" &&
        pass "$2 fails: one failure message, and no tick or press runs behind it" ||
        fail "$2 fails: behind the failure message: $(sort "$err" | uniq -c)"
    xdotool windowfocus --sync "$MESSAGE" key Return
    reap "$PROBE_PID" 5 "$2: the program did not end when the failure message was closed"
    [ "$status" -eq 1 ] && pass "$2: closing the failure message ends the program with status 1" ||
        fail "$2: after the failure message: status $status"
}
check_failure picKUMO "the main tick"
check_failure picNami "the wave tick"

# --- without a window manager ----------------------------------------------------------------
# Nobody hands the focus back here when a window closes; the program does.
kill "$OPENBOX_PID"
wait_for 5 'ended $OPENBOX_PID' || die "openbox did not end"
start_strip bare
xdotool windowfocus --sync "$USER_WINDOW" 2>/dev/null
check_focus "no window manager"

# --- a crashed copy does not keep the next one out ------------------------------------------------
kill -9 "$STRIP_PID"
wait_for 5 'ended $STRIP_PID' || die "kill -9 did not end the strip"
start_strip after_crash
pass "after kill -9 of the running copy a new one starts"

# --- the X server goes away ---------------------------------------------------------------------
kill -9 "$XVFB_PID"
reap "$STRIP_PID" 10 "the strip is still running without its X server"
[ "$status" -eq 1 ] && [ "$(cat "$WORK/after_crash.err")" = "seastrip: lost the connection to the display :$DISPLAY_NO" ] &&
    pass "when the X server goes away: one line naming the display, status 1" ||
    fail "without its X server: status $status, stderr '$(cat "$WORK/after_crash.err")'"

e2e_end "all lifecycle checks passed"
