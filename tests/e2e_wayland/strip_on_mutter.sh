#!/bin/sh
# The strip itself on GNOME's compositor, headless mutter, which offers no
# layer-shell: left to choose, the strip must go through Xwayland and stand
# on the bottom of the screen, full width, showing the sky seastrip-render
# draws; and an X11 window the user is typing into must keep every key while
# the strip starts and after the strip is clicked. Keys and clicks come
# through the compositor, as a user's do.
#
# usage: strip_on_mutter.sh SEASTRIP SEASTRIP_RENDER MUTTER_INPUT [SHOT_FOLDER]

SEASTRIP_BUILT=$1
RENDER=$2
INPUT_BUILT=$3
SHOTS=${4:-}

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin strip-mutter e2e_wayland/mutter_session e2e_strip_pixels
SEASTRIP=$(user_copy "$SEASTRIP_BUILT" "$(dirname "$SEASTRIP_BUILT")/zem.wav")
INPUT=$(user_copy "$INPUT_BUILT")
need_tools xdotool xev compare

mutter_start "$SCREEN_W" "$SCREEN_H"
input_start "$INPUT"

# --- a window the user types into ------------------------------------------------------
spawn "$WORK/typed.log" xev -event keyboard -name typing -geometry 400x100+100+100
TYPING=""
typing_shown() {
    TYPING=$(as_user xdotool search --onlyvisible --name '^typing$' 2>/dev/null | head -n 1)
    [ -n "$TYPING" ]
}
wait_for 10 typing_shown || die "the window to type into did not appear"
input move 300 150
input click 1
wait_for 5 '[ "$(as_user xdotool getwindowfocus 2>/dev/null)" = "$TYPING" ]' ||
    die "a click did not give the window to type into the focus"
# The keys the window got, as one word.
typed() { awk '/^KeyPress/ {p = 1} p && /keysym/ {sub(/.*keysym 0x[0-9a-f]+, /, ""); sub(/\).*/, ""); printf "%s", $0; p = 0}' "$WORK/typed.log"; }
type_and_check() { # KEYS WANT WHAT
    input type "$1"
    want=$2
    wait_for 3 '[ "$(typed)" = "$want" ]' && pass "$3: the typed keys went to the user's window" ||
        fail "$3: the user's window got '$(typed)', not '$want'"
}
type_and_check ab ab "before the strip"

# --- the strip, through Xwayland --------------------------------------------------------------
SESSION_ENV="$SESSION_ENV SEASTRIP_CONFIG_DIR=$(settings_folder)"
spawn "$WORK/seastrip.log" "$SEASTRIP"
STRIP=""
strip_shown() {
    STRIP=$(as_user xdotool search --onlyvisible --name '^Seastrip$' 2>/dev/null | head -n 1)
    [ -n "$STRIP" ]
}
wait_for 15 strip_shown || die "no strip window through Xwayland: $(cat "$WORK/seastrip.log")"
type_and_check cd abcd "while the strip started"

want="0 $((SCREEN_H - STRIP_H)) $SCREEN_W $STRIP_H"
at_bottom() {
    place=$(as_user xwininfo -id "$STRIP" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
    [ "$place" = "$want" ]
}
wait_for 5 at_bottom && pass "the strip stands on the bottom of the screen, $SCREEN_W wide" ||
    fail "the strip is at $place, not at $want"
sky_shown() {
    as_user import -window "$STRIP" "$WORK/strip.png" 2>/dev/null && sky=$(relaid_sky "$WORK/strip.png" "$SCREEN_W") &&
        [ "$sky" = ok ]
}
sky=""
retry 10 0.3 sky_shown
[ -n "$SHOTS" ] && cp "$WORK/strip.png" "$SHOTS/mutter_strip.png"
[ "$sky" = ok ] && pass "and shows the sky as rendered at $SCREEN_W" || fail "the strip's sky differs: $sky"

# --- clicking the strip keeps the keyboard where it was ---------------------------------------------
input move 600 $((SCREEN_H - 10))
input click 1
type_and_check ef abcdef "after a click on the strip"
[ "$(as_user xdotool getwindowfocus)" = "$TYPING" ] && pass "the user's window still has the focus" ||
    fail "the focus went to $(as_user xdotool getwindowfocus)"

[ -s "$WORK/seastrip.log" ] && fail "the strip wrote to its output: $(cat "$WORK/seastrip.log")"
e2e_end "the strip passed on mutter"
