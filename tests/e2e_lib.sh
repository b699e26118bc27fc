# Shared by the desktop end-to-end scripts: reporting and waiting.
# Sourced, not run; the script sets FAILED=0 before using fail.

fail() {
    echo "FAIL: $*" >&2
    FAILED=1
}
die() {
    echo "FAIL: $*" >&2
    exit 1
}
pass() { echo "ok: $*"; }

# Polls a shell condition every 0.1 s for up to $1 seconds.
wait_for() {
    limit=$(($1 * 10))
    shift
    i=0
    while [ "$i" -lt "$limit" ]; do
        if eval "$@"; then return 0; fi
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}
