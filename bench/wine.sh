#!/bin/bash
# What the Windows program costs under Wine, side by side with the floor (a
# Win32 window of the strip's size whose two timers do nothing: the tick
# test's "floor"), on one virtual 1920 x 1080 screen. Each program runs in a
# Wine prefix of its own, so that each has a wineserver of its own, whose
# work on its behalf is counted apart. Read from /proc as bench/run.sh reads
# it. An earlier seastrip.exe, when given, runs at the same time in a third
# prefix, for before-and-after numbers taken under the same load.
#
# Usage: bench/wine.sh WINDOWS_BUILD_DIR [SECONDS [EARLIER_SEASTRIP_EXE]]   (120 s unless given)
set -u

build=${1:?usage: bench/wine.sh WINDOWS_BUILD_DIR [SECONDS [EARLIER_SEASTRIP_EXE]]}
seconds=${2:-120}
earlier=${3:-}
settle=8
BENCH=$(cd "$(dirname "$0")" && pwd)
for program in "$build/seastrip.exe" "$build/seastrip-ticktest.exe" "$build/zem.wav" $earlier; do
    [ -f "$program" ] || { echo "wine.sh: $program is missing; cmake --build $build" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/seastrip-winebench.XXXXXX")
SCREEN_W=1920
SCREEN_H=1080
. "$BENCH/../tests/e2e_wine/wine_session.sh"
. "$BENCH/proc_figures.sh"
export WINEPREFIX=${WINEPREFIX:-$(cd "$build" && pwd)/wineprefix}
ensure_prefix
start_display
NAMES=""
end_bench() {
    for name in $NAMES; do WINEPREFIX=$WORK/$name/prefix wineserver -k 2>/dev/null; done
    stop_session
    rm -rf "$WORK"
}
trap end_bench EXIT

# run_in NAME EXE [ARGUMENT...]: the program, with the wave sound, in a
# folder and a copy of the prefix of its own; its process id in pid[NAME].
declare -A pid server
run_in() {
    local name=$1 exe=$2
    shift 2
    mkdir -p "$WORK/$name"
    cp -a "$WINEPREFIX" "$WORK/$name/prefix" || fail "could not copy the prefix"
    cp "$exe" "$build/zem.wav" "$WORK/$name/"
    NAMES="$NAMES $name"
    (cd "$WORK/$name" && WINEPREFIX=$WORK/$name/prefix exec wine "$(basename "$exe")" "$@" >"$WORK/$name.log" 2>&1) &
    pid[$name]=$!
}

# The wineserver of a program's prefix.
find_server() {
    local candidate
    for candidate in $(pgrep -x 'wineserver(64)?'); do
        tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WORK/$1/prefix" &&
            server[$1]=$candidate && return 0
    done
    return 1
}

run_in seastrip "$build/seastrip.exe"
run_in floor "$build/seastrip-ticktest.exe" floor
[ -n "$earlier" ] && run_in earlier "$earlier"
sleep "$settle"
for name in $NAMES; do
    [ -r "/proc/${pid[$name]}/schedstat" ] || fail "$name ended early: $(cat "$WORK/$name.log")"
    find_server "$name" || fail "$name has no wineserver"
done
figures() { for name in $NAMES; do echo "$name $(cpu_ns "${pid[$name]}") $(cpu_ns "${server[$name]}") $(switches "${pid[$name]}") $(private_kb "${pid[$name]}")"; done; }
figures >"$WORK/start"
sleep "$seconds"
figures >"$WORK/end"

awk -v s="$seconds" '
    NR == FNR { cpu0[$1] = $2; srv0[$1] = $3; sw0[$1] = $4; next }
    { cpu[$1] = $2 - cpu0[$1]; srv[$1] = $3 - srv0[$1]; wake[$1] = ($4 - sw0[$1]) / s; priv[$1] = $5 / 1024; names[++n] = $1 }
    END {
        printf "running cost over %d s on a 1920 px screen (Wine, Xvfb): the process, then its wineserver\n", s
        for (i = 1; i <= n; ++i)
            printf "  %-9s CPU %7.3f s (%.3f%% of a core) + server %.3f s (%.3f%%), wakeups %5.1f/s, private dirty %5.1f MB\n",
                   names[i], cpu[names[i]] / 1e9, 100 * cpu[names[i]] / 1e9 / s, srv[names[i]] / 1e9,
                   100 * srv[names[i]] / 1e9 / s, wake[names[i]], priv[names[i]]
        printf "ratio: CPU ours/floor %.2f (with the servers %.2f)\n", cpu["seastrip"] / cpu["floor"],
               (cpu["seastrip"] + srv["seastrip"]) / (cpu["floor"] + srv["floor"])
    }' "$WORK/start" "$WORK/end"
