#!/bin/bash
# What the Windows program costs out of sight, under Wine in a private Xvfb.
# Wine passes on none of the notices that say nobody can see the strip, so
# the tick tool hands the program the session lock's notice itself and keeps
# it out of sight; for SECONDS its wakeups and CPU time are read from /proc,
# as bench/run.sh reads them, over the threads alive throughout.
#
# Usage: bench/wine_unseen.sh TICKTEST_EXE WINEPREFIX [SECONDS]   (60 s unless given)
set -u
ticktest=${1:?usage: bench/wine_unseen.sh TICKTEST_EXE WINEPREFIX [SECONDS]}
WINEPREFIX=${2:?usage: bench/wine_unseen.sh TICKTEST_EXE WINEPREFIX [SECONDS]}
export WINEPREFIX=$(cd "$(dirname "$WINEPREFIX")" && pwd)/$(basename "$WINEPREFIX")
seconds=${3:-60}
BENCH=$(cd "$(dirname "$0")" && pwd)
[ -f "$ticktest" ] || { echo "wine_unseen.sh: $ticktest is missing (make windows builds the program; the tick test is built with the Wine tests)" >&2; exit 1; }

WORK=$(mktemp -d)
. "$BENCH/../tests/e2e_wine/wine_session.sh"
. "$BENCH/proc_figures.sh"
ensure_prefix
start_display
trap 'stop_session; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/app"
cp "$ticktest" "$WORK/app/seastrip-ticktest.exe"
(cd "$WORK/app" && exec wine seastrip-ticktest.exe hold $((seconds + 4)) >"$WORK/hold.out" 2>&1) &
APP_PID=$!
# One stretch: "CPU_NS SWITCHES" over the threads alive throughout.
stretch() {
    sleep 3
    threads "$APP_PID" >"$WORK/before"
    sleep "$seconds"
    threads "$APP_PID" >"$WORK/after"
    thread_delta "$WORK/before" "$WORK/after"
}
wait_until 60 grep -qx "seen.\?" "$WORK/hold.out" || fail "the tick test did not start the program"
seen=$(stretch)
wait_until 30 grep -q unseen "$WORK/hold.out" || fail "the tick test did not take the program out of sight"
unseen=$(stretch)
echo "$seen $unseen" | awk -v s="$seconds" '{
    printf "under Wine, sound off, %d s each (the session lock handed over by the tick test):\n", s
    printf "  in sight      CPU %.3f%% of a core, wakeups %.1f/s\n", 100 * $1 / 1e9 / s, $2 / s
    printf "  out of sight  CPU %.4f%% of a core, wakeups %.2f/s\n", 100 * $3 / 1e9 / s, $4 / s }'
