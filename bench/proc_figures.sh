# What a running process has cost, from /proc, summed over its threads.
# Sourced by the bench scripts.
#   cpu_ns PID      nanoseconds on a CPU (schedstat)
#   switches PID    context switches, voluntary and not: its wakeups
#   private_kb PID  private dirty memory now, in kB (smaps_rollup)
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches:/ { s += $2 } END { printf "%.0f", s }'
}
# Per thread: its id, nanoseconds on a CPU and context switches, sorted. A
# thread that ends takes its counts with it, so over a long stretch in which
# a program does almost nothing only the threads alive at both readings are
# set against each other: `thread_delta BEFORE AFTER` prints "CPU_NS SWITCHES".
threads() {
    for task in /proc/"$1"/task/*; do
        echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat") $(awk '/ctxt_switches:/ { s += $2 } END { print s }' "$task/status")"
    done 2>/dev/null | sort
}
thread_delta() { join "$1" "$2" | awk '{ cpu += $4 - $2; sw += $5 - $3 } END { print cpu + 0, sw + 0 }'; }
private_kb() { awk '/^Private_Dirty:/ { s += $2 } END { print s + 0 }' "/proc/$1/smaps_rollup"; }
