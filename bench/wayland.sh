#!/bin/sh
# What the desktop program costs as a layer surface on a Wayland compositor
# (headless sway, software rendering), side by side with the floor, there a
# plain GTK window of the strip's size whose two timers do nothing. Read the
# same way as bench/run.sh reads it on X11, from /proc. Run as root: sway
# refuses root, so the session and its clients run as "nobody", as in the
# Wayland tests.
#
# Then the floor's window is made full-screen over the strip, and for 60 s
# the strip's cost out of sight is read the same way, its messages to the
# compositor counted by strace, and the time from the window leaving to the
# strip's first message after it.
#
# Usage: bench/wayland.sh BUILD_DIR [SECONDS]   (120 s unless given)
set -u

build=${1:?usage: bench/wayland.sh BUILD_DIR [SECONDS]}
seconds=${2:-120}
settle=5
BENCH=$(cd "$(dirname "$0")" && pwd)
TESTS=$BENCH/../tests

for program in "$build/seastrip" "$build/seastrip_floor"; do
    [ -x "$program" ] || { echo "wayland.sh: $program is missing; build with the bench preset" >&2; exit 1; }
done
command -v sway >/dev/null || { echo "wayland.sh: sway is not installed (make deps)" >&2; exit 1; }

. "$TESTS/e2e_lib.sh"
e2e_begin bench
SESSION_LIBS=$TESTS/e2e_wayland
. "$SESSION_LIBS/sway_session.sh"
. "$BENCH/proc_figures.sh"

ours=$(user_copy "$build/seastrip" "$build/zem.wav")
floor=$(user_copy "$build/seastrip_floor")
sway_start 1920 1080
spawn "$WORK/ours.log" "$ours"
ours_pid=$SPAWNED
spawn "$WORK/floor.log" "$floor"
floor_pid=$SPAWNED

sleep "$settle"
for pid in $ours_pid $floor_pid; do
    [ -r "/proc/$pid/schedstat" ] || die "a program ended early: $(cat "$WORK"/*.log)"
done
# A layer surface is no window of sway's tree; the floor's window is.
tree=$(as_user swaymsg -t get_tree)
echo "$tree" | grep -q "\"pid\": $floor_pid," || die "the floor's window is not in sway's tree"
echo "$tree" | grep -q "\"pid\": $ours_pid," && die "the strip is an ordinary window, not a layer surface"
start="$(cpu_ns "$ours_pid") $(switches "$ours_pid") $(cpu_ns "$floor_pid") $(switches "$floor_pid")"
sleep "$seconds"
end="$(cpu_ns "$ours_pid") $(switches "$ours_pid") $(cpu_ns "$floor_pid") $(switches "$floor_pid")"
echo "$start $end $(private_kb "$ours_pid") $(private_kb "$floor_pid")" | awk -v s="$seconds" '{
    printf "running cost over %d s on a 1920 px output (headless sway, layer surface):\n", s
    printf "  seastrip   CPU %7.3f s (%.3f%% of a core), wakeups %5.1f/s, private dirty %5.1f MB\n",
           ($5 - $1) / 1e9, 100 * ($5 - $1) / 1e9 / s, ($6 - $2) / s, $9 / 1024
    printf "  floor      CPU %7.3f s (%.3f%% of a core), wakeups %5.1f/s, private dirty %5.1f MB\n",
           ($7 - $3) / 1e9, 100 * ($7 - $3) / 1e9 / s, ($8 - $4) / s, $10 / 1024
    printf "ratio: CPU ours/floor %.2f, wakeups ours-floor %.1f/s, private ours-floor %.1f MB\n",
           ($5 - $1) / ($7 - $3), (($6 - $2) - ($8 - $4)) / s, ($9 - $10) / 1024
}'

# Out of sight: the floor full-screen over the strip's layer.
unseen=60
sway_msg "[pid=$floor_pid] fullscreen enable" || die "the floor's window did not go full-screen"
sleep "$settle"
threads "$ours_pid" >"$WORK/before"
sleep "$unseen"
threads "$ours_pid" >"$WORK/after"
strace -f -ttt -e trace=sendmsg -p "$ours_pid" -o "$WORK/strace.log" 2>/dev/null &
tracer=$!
sleep 10
back=$(date +%s.%N)
sway_msg "[pid=$floor_pid] fullscreen disable"
sleep 2
kill "$tracer" 2>/dev/null
wait "$tracer" 2>/dev/null
read -r cpu sw <<END
$(thread_delta "$WORK/before" "$WORK/after")
END
# strace -f starts each line with the thread's id, then the time.
awk -v s="$unseen" -v cpu="$cpu" -v sw="$sw" -v back="$back" '
    /sendmsg/ { t = ($1 ~ /\./) ? $1 : $2; if (t < back) sent++; else if (!first) first = t }
    END {
        printf "out of sight (a full-screen window over the strip), sound on:\n"
        printf "  seastrip   CPU %.4f%% of a core, wakeups %.2f/s over %d s; %d messages sent in the last 10 s; uncovered to first message %s ms\n",
               100 * cpu / 1e9 / s, sw / s, s, sent, first ? sprintf("%.0f", 1000 * (first - back)) : "n/a"
    }' "$WORK/strace.log"
