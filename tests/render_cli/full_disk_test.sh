#!/bin/bash
# seastrip-render on a file system that fills up part-way through a file:
# every kind of file fails with one line naming it, a non-zero status, and
# leaves nothing behind; a file it was to replace stays as it was.
#   full_disk_test.sh SEASTRIP_RENDER
# Needs to mount a small tmpfs in a private mount namespace; where that is
# refused (no root, a container without the right), it skips with a note.
set -u
RENDER=$1
SKIP=77

if [ -z "${IN_PRIVATE_MOUNTS:-}" ]; then
    if ! unshare --mount --propagation private true 2>/dev/null; then
        echo "SKIP: cannot make a private mount namespace here (root with CAP_SYS_ADMIN is needed)"
        exit $SKIP
    fi
    IN_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private "$BASH" "$0" "$@"
fi

DISK=$(mktemp -d)
trap 'umount "$DISK" 2>/dev/null; rmdir "$DISK"' EXIT
# Two pages: smaller than each file written below.
if ! mount -t tmpfs -o size=8k tmpfs "$DISK" 2>/dev/null; then
    echo "SKIP: mounting a tmpfs was refused"
    exit $SKIP
fi

FAILED=0
shot() {  # shot NAME ARGS...: the file NAME fails to be written over "old"
    local name=$1
    shift
    rm -rf "${DISK:?}"/* "$DISK"/.[!.]*
    printf old >"$DISK/$name"
    local err status
    err=$("$RENDER" "$@" 2>&1 >/dev/null)
    status=$?
    local left
    left=$(cd "$DISK" && ls -A | tr '\n' ' ')
    if [ "$status" -ne 0 ] && [ "$err" = "seastrip-render: cannot write $DISK/$name: No space left on device" ] &&
        [ "$left" = "$name " ] && [ "$(cat "$DISK/$name")" = old ]; then
        echo "ok: $name on a full disk"
    else
        echo "FAIL: $name: status $status, stderr '$err', left in the folder: $left" >&2
        FAILED=1
    fi
}

shot big.png --width 4096 --scale 2 -o "$DISK/big.png"
shot shapes.png --shapes "$DISK/shapes.png"
shot table.bin --region-table "$DISK/table.bin"
lapse=(--width 256 --from 23:00 --to 23:02 --speed 20 --fps 10)
shot lapse.gif "${lapse[@]}" --timelapse "$DISK/lapse.gif"
shot lapse.webp "${lapse[@]}" --timelapse "$DISK/lapse.webp"
exit $FAILED
