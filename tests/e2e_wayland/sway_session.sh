# A headless sway session for the Wayland tests: start it, run clients in
# it, wait for what they show, take screenshots, stop it. Sourced, not run,
# after tests/e2e_lib.sh and its e2e_begin, from a script in this folder.
# Software rendering and no input devices let it run in a container.
#
#   sway_start W H    the session on one W x H output, a bar at the bottom
#   as_user, spawn    running things in it (session_user.sh)
#   sway_msg ARGS...  a sway command; fails when sway refuses it
#   sway_shot FILE [OUTPUT]  a screenshot of the layout, or of one output
#   column_runs FILE X       the colours down one column, as "COUNT #RRGGBB"
#                            runs from the top
#   row_colours FILE Y X0 W  "N #RRGGBB": how many colours a row holds, and
#                            the first
#   sway_stop         ends the session and every client in it

SWAY_BAR_H=30
SWAY_BAR_COLOUR=203040

need_tools sway swaymsg swaybar grim jq convert

# The folder of the session scripts: the calling script's, unless it says.
. "${SESSION_LIBS:-$(dirname "$0")}/session_user.sh"
# The test's cleanup ends the session first, with everything in it.
E2E_STOP=sway_stop

sway_msg() {
    out=$(as_user swaymsg "$@" 2>&1)
    case "$out" in *'"success": false'* | *rror*) echo "swaymsg $*: $out" >&2; return 1 ;; esac
    return 0
}

sway_shot() { as_user grim ${2:+-o "$2"} "$1"; } # FILE [OUTPUT]

column_runs() { # FILE X
    convert "$1" -alpha off -crop "1x100000+$2+0" +repage -depth 8 txt:- |
        awk 'NR > 1 {print $3}' | uniq -c | awk '{print $1, $2}'
}

row_colours() { # FILE Y X0 W
    convert "$1" -alpha off -crop "$4x1+$3+$2" +repage -depth 8 -format '%k #%[hex:p{0,0}]' info:
}

sway_start() { # W H
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
    SESSION_ENV="WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1"
    spawn "$WORK/sway.log" sway -c "$WORK/sway.conf"
    SWAY_PID=$SPAWNED
    # sway names its sockets itself; it is ready once it answers on both.
    sway_sockets() {
        wayland=$(cd "$SESSION_RUNTIME" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n 1)
        ipc=$(ls "$SESSION_RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -n 1)
        SESSION_ENV="WAYLAND_DISPLAY=$wayland SWAYSOCK=$ipc"
        [ -n "$wayland" ] && [ -n "$ipc" ] && as_user swaymsg -t get_version >/dev/null 2>&1
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
