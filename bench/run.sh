#!/bin/sh
# The benchmarks, then the desktop program's running cost against the floor:
# both run side by side for a minute on one virtual 1920 x 1080 screen, and
# their CPU time and peak resident memory are read from /proc. The last line
# holds the two ratios.
#
# Usage: bench/run.sh BUILD_DIR [SECONDS]
set -eu

build=${1:?usage: bench/run.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
bench="$build/seastrip_bench"
ours="$build/seastrip"
floor="$build/seastrip_floor"

for program in "$bench" "$floor"; do
    [ -x "$program" ] || { echo "run.sh: $program is missing; configure with -DSEASTRIP_BENCH=ON" >&2; exit 1; }
done

"$bench" --benchmark_min_time=0.5

if [ ! -x "$ours" ]; then
    echo "run.sh: $ours is missing; the running-cost comparison needs the desktop front" >&2
    exit 1
fi
command -v Xvfb >/dev/null || { echo "run.sh: Xvfb is not installed" >&2; exit 1; }

# A display number no one uses.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done

scratch=$(mktemp -d)
xvfb_pid=""
ours_pid=""
floor_pid=""
cleanup() {
    for pid in $ours_pid $floor_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
waited=0
until [ -e "/tmp/.X11-unix/X$display" ]; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 100 ] || { echo "run.sh: Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
done

# The program keeps its settings under XDG_CONFIG_HOME; a scratch folder
# leaves the user's own alone.
DISPLAY=":$display" XDG_CONFIG_HOME="$scratch" "$ours" >"$scratch/ours.log" 2>&1 &
ours_pid=$!
DISPLAY=":$display" "$floor" >"$scratch/floor.log" 2>&1 &
floor_pid=$!

sleep "$seconds"

# utime + stime, fields 14 and 15 of /proc/PID/stat, counted after the
# command name, which may hold spaces.
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}
peak_kb() {
    awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}
for pid in $ours_pid $floor_pid; do
    [ -r "/proc/$pid/stat" ] || { echo "run.sh: process $pid ended early" >&2; cat "$scratch"/*.log >&2; exit 1; }
done
hz=$(getconf CLK_TCK)
ours_cpu=$(cpu_ticks "$ours_pid")
floor_cpu=$(cpu_ticks "$floor_pid")
ours_rss=$(peak_kb "$ours_pid")
floor_rss=$(peak_kb "$floor_pid")

awk -v s="$seconds" -v hz="$hz" -v oc="$ours_cpu" -v fc="$floor_cpu" -v orss="$ours_rss" -v frss="$floor_rss" 'BEGIN {
    printf "running cost over %d s on a 1920 px screen (Xvfb):\n", s
    printf "  seastrip: CPU %.2f s (%.2f%%), peak RSS %.1f MB\n", oc / hz, 100 * oc / hz / s, orss / 1024
    printf "  floor:    CPU %.2f s (%.2f%%), peak RSS %.1f MB\n", fc / hz, 100 * fc / hz / s, frss / 1024
    ratio = fc > 0 ? sprintf("%.2f", oc / fc) : (oc > 0 ? "inf" : "1.00")
    printf "ratio: CPU ours/floor %s, RSS ours - floor %.1f MB\n", ratio, (orss - frss) / 1024
}'
