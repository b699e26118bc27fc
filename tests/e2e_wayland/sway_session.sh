# A headless sway session for the Wayland tests: start it, run clients in
# it, wait for what they show, take screenshots, stop it. Sourced, not run,
# after tests/e2e_lib.sh; the script sets WORK (a fresh folder it removes)
# and PIDS (what its cleanup kills).
#
# sway refuses to run as root, so root runs the session and every client in
# it as "nobody", as the install test runs the installed program. Software
# rendering and no input devices let it run in a container.
#
#   sway_start W H    the session on one W x H output, a bar at the bottom
#   as_user CMD...    runs CMD inside the session, as the session's user
#   spawn LOG CMD...  the same in the background, output to LOG; SPAWNED is
#                     its process id, which leads its own process group
#   sway_msg ARGS...  a sway command; fails when sway refuses it
#   sway_shot FILE [OUTPUT]  a screenshot of the layout, or of one output
#   column_runs FILE X       the colours down one column, as "COUNT #RRGGBB"
#                            runs from the top
#   row_colours FILE Y X0 W  "N #RRGGBB": how many colours a row holds, and
#                            the first
#   sway_stop         ends the session and every client in it

SWAY_BAR_H=30
SWAY_BAR_COLOUR=203040
SWAY_BG_COLOUR=3F3F3F  # what sway shows where no wallpaper is drawn

for tool in sway swaymsg swaybar grim jq convert; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (make deps installs it)"
done

SWAY_USER=""
if [ "$(id -u)" -eq 0 ]; then
    SWAY_USER="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chown 65534:65534 "$WORK"
fi

as_user() {
    # sway takes an empty SWAYSOCK for a socket path, so it is left out
    # until sway has made one.
    ${AS_USER_EXEC:-} $SWAY_USER env -i PATH=/usr/bin:/bin HOME="$WORK" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$SWAY_RUNTIME" XDG_CACHE_HOME="$WORK/cache" \
        WAYLAND_DISPLAY="${SWAY_WAYLAND:-}" ${SWAY_SOCK:+SWAYSOCK=$SWAY_SOCK} \
        ${SWAY_ENV:-} "$@"
}

spawn() { # LOG CMD...
    log=$1
    shift
    # The background shell becomes the command itself, so its id is the
    # command's; setsid gives it a process group that kill can end whole.
    (AS_USER_EXEC=exec as_user setsid "$@") >"$log" 2>&1 &
    SPAWNED=$!
    PIDS="$PIDS $SPAWNED"
}

sway_msg() {
    out=$(as_user swaymsg "$@" 2>&1)
    case "$out" in *'"success": false'* | *rror*) echo "swaymsg $*: $out" >&2; return 1 ;; esac
    return 0
}

sway_shot() { # FILE [OUTPUT]
    if [ -n "${2:-}" ]; then as_user grim -o "$2" "$1"; else as_user grim "$1"; fi
}

column_runs() { # FILE X
    convert "$1" -alpha off -crop "1x100000+$2+0" +repage -depth 8 txt:- |
        awk 'NR > 1 {print $3}' | uniq -c | awk '{print $1, $2}'
}

row_colours() { # FILE Y X0 W
    convert "$1" -alpha off -crop "$4x1+$3+$2" +repage -depth 8 -format '%k #%[hex:p{0,0}]' info:
}

sway_start() { # W H
    SWAY_RUNTIME=$WORK/runtime
    mkdir -p "$SWAY_RUNTIME" "$WORK/cache"
    chmod 0700 "$SWAY_RUNTIME"
    [ -n "$SWAY_USER" ] && chown 65534:65534 "$SWAY_RUNTIME" "$WORK/cache"
    cat >"$WORK/sway.conf" <<EOF
xwayland disable
output * resolution ${1}x${2}
default_border none
bar {
    id strip-bar
    position bottom
    height $SWAY_BAR_H
    colors {
        background #$SWAY_BAR_COLOUR
    }
}
EOF
    chmod a+r "$WORK/sway.conf"
    SWAY_WAYLAND=""
    SWAY_SOCK=""
    SWAY_ENV="WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1"
    spawn "$WORK/sway.log" sway -c "$WORK/sway.conf"
    SWAY_ENV=""
    SWAY_PID=$SPAWNED
    # sway names its sockets itself; it is ready once it answers on both.
    sway_sockets() {
        SWAY_WAYLAND=$(cd "$SWAY_RUNTIME" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n 1)
        SWAY_SOCK=$(ls "$SWAY_RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -n 1)
        [ -n "$SWAY_WAYLAND" ] && [ -n "$SWAY_SOCK" ] && as_user swaymsg -t get_version >/dev/null 2>&1
    }
    wait_for 10 sway_sockets || die "sway did not start: $(cat "$WORK/sway.log")"
    # The bar is drawn by its own client a moment later.
    bar_drawn() {
        sway_shot "$WORK/start.png" &&
            [ "$(column_runs "$WORK/start.png" $(($1 / 2)) | tail -n 1)" = "$SWAY_BAR_H #$SWAY_BAR_COLOUR" ]
    }
    wait_for 10 "bar_drawn $1" || die "the bar did not appear: $(cat "$WORK/sway.log")"
}

sway_stop() {
    [ -n "${SWAY_PID:-}" ] || return 0
    kill -- "-$SWAY_PID" 2>/dev/null
    wait "$SWAY_PID" 2>/dev/null
    SWAY_PID=""
}
