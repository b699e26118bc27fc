#!/bin/sh
# The benchmarks, then what the desktop program costs a user while it runs,
# side by side with the floor (a GTK window of the strip's size whose two
# timers do nothing) and with xpenguins as an outside reference, all on one
# virtual 1920 x 1080 screen. A throwaway GTK client starts first, so that
# no program measured pays the one-off probing a first client on a new X
# server does.
#
# Per program, over the measured stretch (after a few seconds of settling):
#   CPU       nanoseconds on a CPU, from /proc/PID/task/*/schedstat
#   wakeups   context switches per second, from /proc/PID/task/*/status
#   private   private dirty memory at the end, from /proc/PID/smaps_rollup
# The last line holds the ratios.
#
# An earlier build of the program, when given, runs at the same time on a
# second virtual screen of the same size (one strip runs per display), for
# before-and-after numbers taken under the same load.
#
# Usage: bench/run.sh BUILD_DIR [SECONDS [EARLIER_SEASTRIP]]   (120 s unless given)
set -eu

build=${1:?usage: bench/run.sh BUILD_DIR [SECONDS [EARLIER_SEASTRIP]]}
seconds=${2:-120}
earlier=${3:-}
settle=5
bench="$build/seastrip_bench"
ours="$build/seastrip"
floor="$build/seastrip_floor"

for program in "$bench" "$floor" "$ours" $earlier; do
    [ -x "$program" ] || { echo "run.sh: $program is missing; build with the bench preset" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "run.sh: Xvfb is not installed (make deps)" >&2; exit 1; }

"$bench" --benchmark_min_time=0.5

scratch=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

# Starts a 1920 x 1080 Xvfb and prints its display name.
start_xvfb() { # NAME
    Xvfb -noreset -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/$1.display" >"$scratch/$1.log" 2>&1 &
    echo "$!" >"$scratch/$1.pid"
    waited=0
    until [ -s "$scratch/$1.display" ]; do
        sleep 0.1
        waited=$((waited + 1))
        [ "$waited" -lt 100 ] || { echo "run.sh: Xvfb did not start" >&2; cat "$scratch/$1.log" >&2; exit 1; }
    done
}
start_xvfb screen
pids="$(cat "$scratch/screen.pid")"
export DISPLAY=":$(head -n 1 "$scratch/screen.display")"
unset WAYLAND_DISPLAY

# The throwaway client: up for two seconds, then gone.
"$floor" >/dev/null 2>&1 &
throwaway=$!
sleep 2
kill "$throwaway" 2>/dev/null || true
wait "$throwaway" 2>/dev/null || true

# The program keeps its settings under XDG_CONFIG_HOME; a scratch folder
# leaves the user's own alone.
XDG_CONFIG_HOME="$scratch" XDG_RUNTIME_DIR="$scratch" "$ours" >"$scratch/ours.log" 2>&1 &
ours_pid=$!
"$floor" >"$scratch/floor.log" 2>&1 &
floor_pid=$!
pids="$pids $ours_pid $floor_pid"
earlier_pid=""
if [ -n "$earlier" ]; then
    start_xvfb other
    pids="$pids $(cat "$scratch/other.pid")"
    DISPLAY=":$(head -n 1 "$scratch/other.display")" XDG_CONFIG_HOME="$scratch/other" XDG_RUNTIME_DIR="$scratch" \
        "$earlier" >"$scratch/earlier.log" 2>&1 &
    earlier_pid=$!
    pids="$pids $earlier_pid"
fi
penguins_pid=""
if command -v xpenguins >/dev/null; then
    xpenguins >"$scratch/xpenguins.log" 2>&1 &
    penguins_pid=$!
    pids="$pids $penguins_pid"
else
    echo "run.sh: xpenguins is not installed (make deps installs it); its column is left out" >&2
fi

. "$(dirname "$0")/proc_figures.sh"
alive() { [ -r "/proc/$1/schedstat" ] || { echo "run.sh: process $1 ended early" >&2; cat "$scratch"/*.log >&2; exit 1; }; }

sleep "$settle"
for pid in $ours_pid $floor_pid $penguins_pid $earlier_pid; do alive "$pid"; done
for pid in $ours_pid $floor_pid $penguins_pid $earlier_pid; do
    echo "$pid $(cpu_ns "$pid") $(switches "$pid")"
done >"$scratch/start"
sleep "$seconds"
for pid in $ours_pid $floor_pid $penguins_pid $earlier_pid; do alive "$pid"; done
for pid in $ours_pid $floor_pid $penguins_pid $earlier_pid; do
    echo "$pid $(cpu_ns "$pid") $(switches "$pid") $(private_kb "$pid")"
done >"$scratch/end"

awk -v s="$seconds" -v ours="$ours_pid" -v floor="$floor_pid" -v penguins="${penguins_pid:-none}" \
    -v earlier="${earlier_pid:-none}" '
    NR == FNR { cpu0[$1] = $2; sw0[$1] = $3; next }
    { cpu[$1] = $2 - cpu0[$1]; wake[$1] = ($3 - sw0[$1]) / s; priv[$1] = $4 / 1024 }
    END {
        printf "running cost over %d s on a 1920 px screen (Xvfb):\n", s
        row("seastrip", ours); row("floor", floor)
        if (penguins != "none") row("xpenguins", penguins)
        if (earlier != "none") row("earlier", earlier)
        line = sprintf("ratio: CPU ours/floor %s, wakeups ours-floor %.1f/s, private ours-floor %.1f MB",
                       ratio(cpu[ours], cpu[floor]), wake[ours] - wake[floor], priv[ours] - priv[floor])
        line = line ", CPU ours/xpenguins " (penguins != "none" ? ratio(cpu[ours], cpu[penguins]) : "n/a")
        print line
    }
    function row(name, pid) {
        printf "  %-10s CPU %7.3f s (%.3f%% of a core), wakeups %5.1f/s, private dirty %5.1f MB\n",
               name, cpu[pid] / 1e9, 100 * cpu[pid] / 1e9 / s, wake[pid], priv[pid]
    }
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
' "$scratch/start" "$scratch/end"
