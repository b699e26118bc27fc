#!/bin/sh
# What the strip costs while nobody can see it, on X11: the screen saver is
# made to run (xset s activate) and for SECONDS the strip's wakeups, CPU time
# and requests to the X server are counted, with the wave sound off and then
# on; then the screen saver is stopped, and the time from the server saying
# so to the strip's first picture sent is read. The strip reaches the server
# through xtrace, which writes down every request with its time.
#
# Usage: bench/unseen.sh BUILD_DIR [SECONDS]   (60 s unless given)
set -eu

build=${1:?usage: bench/unseen.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
ours="$build/seastrip"
[ -x "$ours" ] || { echo "unseen.sh: $ours is missing; build with the bench preset" >&2; exit 1; }
for tool in Xvfb xtrace xset; do
    command -v "$tool" >/dev/null || { echo "unseen.sh: $tool is not installed (make deps)" >&2; exit 1; }
done

scratch=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM
. "$(dirname "$0")/proc_figures.sh"

waiting() { # SECONDS CONDITION
    tries=$(($1 * 10))
    shift
    until eval "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}
requests() { grep -cE '^[0-9.]+ [0-9]+:<:[0-9a-f]+:' "$scratch/xtrace.log"; }

# One run: a fresh server, the strip with the sound ON or OFF, SECONDS unseen.
measure() { # SOUND
    Xvfb -noreset -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
    xvfb=$!
    waiting 10 '[ -s "$scratch/display" ]' || { echo "unseen.sh: Xvfb did not start" >&2; exit 1; }
    display=":$(head -n 1 "$scratch/display")"
    traced=":$(($(head -n 1 "$scratch/display") + 500))"
    xtrace -n -k --timestamps -d "$display" -D "$traced" >"$scratch/xtrace.log" 2>&1 &
    trace=$!
    waiting 10 '[ -S "/tmp/.X11-unix/X${traced#:}" ]' || { echo "unseen.sh: xtrace did not start" >&2; exit 1; }
    mkdir -p "$scratch/config"
    printf '[Data]\nSound=%s\n' "$1" >"$scratch/config/seastrip.ini"
    DISPLAY="$traced" GDK_BACKEND=x11 SEASTRIP_CONFIG_DIR="$scratch/config" XDG_RUNTIME_DIR="$scratch" \
        "$ours" >"$scratch/ours.log" 2>&1 &
    strip=$!
    pids="$xvfb $trace $strip"
    sleep 5
    DISPLAY="$display" xset s activate
    sleep 2
    threads "$strip" >"$scratch/before"
    rq0=$(requests)
    sleep "$seconds"
    threads "$strip" >"$scratch/after"
    rq1=$(requests)
    read -r cpu sw <<EOF2
$(thread_delta "$scratch/before" "$scratch/after")
EOF2
    [ -r "/proc/$strip/schedstat" ] || { echo "unseen.sh: the strip ended early" >&2; cat "$scratch/ours.log" >&2; exit 1; }
    lines=$(wc -l <"$scratch/xtrace.log")
    DISPLAY="$display" xset s reset
    sleep 2
    # From the server's word that the saver stopped to the first picture.
    back=$(tail -n +"$((lines + 1))" "$scratch/xtrace.log" | awk '
        /SaverNotify/ && /state=off/ && !off { off = $1 }
        off && / [0-9]+:<:[0-9a-f]+:.*PutImage/ { printf "%.0f", 1000 * ($1 - off); exit }')
    awk -v s="$seconds" -v sound="$1" -v cpu="$cpu" -v sw="$sw" -v rq="$((rq1 - rq0))" \
        -v back="${back:-n/a}" 'BEGIN {
        printf "  sound %-3s  wakeups %.2f/s, CPU %.4f%% of a core, X requests %d, seen again to first picture %s ms\n",
               sound, sw / s, 100 * cpu / 1e9 / s, rq, back }'
    for pid in $strip $trace $xvfb; do kill "$pid" 2>/dev/null || true; done
    for pid in $strip $trace $xvfb; do wait "$pid" 2>/dev/null || true; done
    pids=""
    rm -f "$scratch/display"
}

echo "unseen for $seconds s (screen saver running, 1920 px Xvfb):"
measure OFF
measure ON
