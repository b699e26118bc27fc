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
private_kb() { awk '/^Private_Dirty:/ { s += $2 } END { print s + 0 }' "/proc/$1/smaps_rollup"; }
