# Shared by the desktop end-to-end scripts: their temporary folder and
# cleanup, reporting and waiting, and the other libraries they name.
# Sourced, not run, by a script in a folder of tests/:
#   . "$(dirname "$0")/../e2e_lib.sh"
#   e2e_begin NAME [LIBRARY...]
set -u

# The script's folder, and what every desktop case shares: the strip's
# height and the usual screen.
HERE=$(dirname "$0")
STRIP_H=28
SCREEN_W=${SCREEN_W:-1024}
SCREEN_H=${SCREEN_H:-768}

# e2e_begin NAME [LIBRARY...]: a fresh temporary folder in WORK, no failures
# yet in FAILED, and PIDS, the processes the exit kills; then the libraries
# (paths from tests/ without .sh, such as e2e_gtk/x_session) are sourced in
# order. A session library may set E2E_STOP (a routine that ends its session
# first) and E2E_KILL_GROUPS (its processes lead process groups, which are
# killed whole).
e2e_begin() {
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/seastrip-$1.XXXXXX")
    PIDS=""
    FAILED=0
    E2E_STOP=""
    E2E_KILL_GROUPS=""
    E2E_STARTED=$(date +%s)
    trap e2e_cleanup EXIT
    trap 'exit 2' INT TERM
    night_clock
    shift
    for library in "$@"; do
        . "$HERE/../$library.sh"
    done
}

# The screenshots are compared with seastrip-render's strip at the present
# time. In the hours of sunset and dawn the sky depends on when the program
# started, which no rendering repeats, so the tests run in a time zone where
# it is now past ten at night: a night sky, whose stars show any pixel out of
# place. The clock runs on; a test lasts minutes.
night_clock() {
    ahead=$(((22 - $(date -u +%-H) + 24) % 24))
    [ "$ahead" -le 12 ] || ahead=$((ahead - 24))
    export TZ="SEA$((-ahead))"
}
e2e_cleanup() {
    [ -n "$E2E_STOP" ] && "$E2E_STOP"
    for pid in $PIDS; do kill ${E2E_KILL_GROUPS:+--} "${E2E_KILL_GROUPS:+-}$pid" 2>/dev/null; done
    # A test may leave read-only folders behind, as a user's install has.
    chmod -R u+w "$WORK" 2>/dev/null
    rm -rf "$WORK"
}

fail() {
    echo "FAIL: $*" >&2
    FAILED=1
}
die() {
    echo "FAIL: $*" >&2
    exit 1
}
pass() { echo "ok: $*"; }

# e2e_end MESSAGE [LOG]: after any failure, the end of LOG when given and
# status 1; else MESSAGE and the time taken.
e2e_end() {
    if [ "$FAILED" -ne 0 ]; then
        [ -z "${2:-}" ] || { echo "--- $2 ---" >&2; tail -n 40 "$2" >&2; }
        exit 1
    fi
    echo "$1, in $(($(date +%s) - E2E_STARTED)) s"
}

# watchdog SECONDS WHAT X_PID &: should WHAT still run after SECONDS, names
# the script's processes and where each waits, marks the failure in
# $WORK/watchdog and ends the X server X_PID, so that whatever waits on it
# gives up: a clear failure, not a test killed at its time limit. Killed
# by its caller once WHAT is done.
watchdog() {
    trap 'kill "$watchdog_sleep" 2>/dev/null; exit 0' TERM
    sleep "$1" >/dev/null 2>&1 &
    watchdog_sleep=$!
    wait "$watchdog_sleep" || exit 0
    {
        echo "FAIL: $2 still running after $1 s; the test's processes:"
        ps -o pid,stat,wchan:24,etime,args --ppid "$$"
    } >&2
    echo "$2" >>"$WORK/watchdog"
    kill "$3" 2>/dev/null
}

# A test needing a tool that is not installed fails: it tests nothing.
need_tools() { # TOOL...
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (make deps installs it)"
    done
}

# retry TRIES PAUSE COMMAND...: runs COMMAND up to TRIES times, PAUSE
# seconds apart, until it succeeds; for a check too slow to poll.
retry() {
    local retry_left=$1 retry_pause=$2
    shift 2
    until "$@"; do
        retry_left=$((retry_left - 1))
        [ "$retry_left" -gt 0 ] || return 1
        sleep "$retry_pause"
    done
}

# Polls a shell condition every 0.1 s for up to $1 seconds (longer when the
# condition itself takes time).
wait_for() {
    local wait_tries=$(($1 * 10))
    shift
    retry "$wait_tries" 0.1 eval "$@"
}

# file_says FILE LINE: FILE holds LINE, whatever its line ends.
file_says() { tr -d '\r' 2>/dev/null <"$1" | grep -qx "$2"; }

# An ended child stays a zombie until waited for, and kill -0 still finds it.
ended() { ! kill -0 "$1" 2>/dev/null || ps -o stat= -p "$1" 2>/dev/null | grep -q Z; }
