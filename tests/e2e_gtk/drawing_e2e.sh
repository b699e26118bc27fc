#!/bin/sh
# End-to-end test of how the desktop program draws, on Xvfb with openbox:
# at scale 2 on a 24-bit screen (ticks go straight into the X window) and on
# a 16-bit one (GTK paints), every strip pixel is a crisp 2 x 2 block, the
# strip is 56 device pixels high and its still parts match seastrip-render
# --scale 2; an uncovered strip repaints from its last frame; and a change
# of the desktop's scale while it runs lays it out afresh at the new scale,
# full width.
#
# usage: drawing_e2e.sh SEASTRIP SEASTRIP_RENDER

SEASTRIP=$1
RENDER=$2

. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin draw e2e_gtk/x_session e2e_strip_pixels
need_tools Xvfb openbox xsettingsd xdotool xwininfo xmessage import convert compare
CFG=$WORK/config
mkdir -p "$CFG"

start_strip() { launch_strip env SEASTRIP_CONFIG_DIR="$CFG" "$@" "$SEASTRIP"; } # [VARIABLE=VALUE]...

# The noon scene by keyboard, from a right-click on the strip's own surface
# (at scale 2: every strip here is).
MENU_ROW=36
choose_noon() {
    choose Down Right Down Down
    wait_for 5 none_open || die "the menu did not close"
}

# Waits for the strip to match the rendering of the noon scene at SCALE,
# still pixel for still pixel, and says so. FUZZ allows for a screen of
# fewer colours.
check_matches_rendering() { # SCALE WHAT
    width=$(($(geometry "$STRIP" | cut -d" " -f3) / $1))
    noon_shown() {
        import -window "$STRIP" "$WORK/strip.png" 2>/dev/null &&
            still_matches "$WORK/strip.png" "$width" "$1" --scene 0
    }
    retry 10 0.2 noon_shown "$1" &&
        pass "$2: the sky and every still pixel match seastrip-render --scale $1 ($DIFFER of $COMPARED differ)" ||
        fail "$2: $DIFFER of $COMPARED still pixels differ from seastrip-render --scale $1"
}

# Every 2 x 2 block of the strip, counted from its corner, is one colour:
# nothing was smoothed on the way to the screen.
check_crisp_blocks() { # WHAT
    import -window "$STRIP" "$WORK/blocks.png" 2>/dev/null
    convert "$WORK/blocks.png" -sample 50% -sample 200% "$WORK/sampled.png"
    mixed=$(compare -metric AE "$WORK/blocks.png" "$WORK/sampled.png" null: 2>&1)
    [ "$mixed" = 0 ] && pass "$1: every 2 x 2 block is one colour" ||
        fail "$1: $mixed pixels differ from their 2 x 2 block's corner"
}

check_size() { # HEIGHT WHAT
    set -- "$@" $(geometry "$STRIP")
    [ "$6" -eq "$1" ] && [ "$5" -eq "$SCREEN_W" ] && pass "$2: the strip is $SCREEN_W x $1 device pixels" ||
        fail "$2: the strip is $5 x $6 device pixels, not $SCREEN_W x $1"
}

# Pixels of the cover's colour, magenta, which the scene never shows, on
# the strip's place on the screen.
cover_on_strip() {
    set -- $(geometry "$STRIP")
    import -window root -crop "${3}x$4+$1+$2" +repage "$WORK/place.png" 2>/dev/null
    convert "$WORK/place.png" -fuzz 10% -fill white -opaque magenta -fill black +opaque white \
        -format "%[fx:round(mean*w*h)]" info:
}

# A window covers part of the strip while the program is stopped, so that
# the screen keeps what the cover left there, and goes again; once the
# program runs on, the uncovered part shows the strip again. Only the
# expose brings back the still sky there: no tick redraws it.
check_uncovered_repaint() { # WHAT
    before=$(cover_on_strip)
    kill -STOP "$STRIP_PID"
    set -- "$1" $(geometry "$STRIP")
    xmessage -geometry "400x60+100+$(($3 - 10))" -bg magenta -fg magenta -bd magenta cover >/dev/null 2>&1 &
    cover=$!
    PIDS="$PIDS $cover"
    covering() { [ -n "$(xdotool search --onlyvisible --class '^Xmessage$' 2>/dev/null)" ]; }
    wait_for 5 covering || die "the covering window did not appear"
    kill "$cover"
    wait "$cover" 2>/dev/null
    wait_for 5 '! covering' || die "the covering window did not go"
    left=$(cover_on_strip)
    [ "$left" -gt "$before" ] || die "$1: the covering window never reached the strip"
    kill -CONT "$STRIP_PID"
    wait_for 5 '[ "$(cover_on_strip)" -le "$before" ]' &&
        pass "$1: the uncovered strip repaints from its last frame ($left pixels were left by the cover)" ||
        fail "$1: $(cover_on_strip) pixels of the cover are still on the strip"
}

# --- scale 2, ticks straight into the X window, then through GTK ----------------
for depth in 24 16; do
    what="scale 2, $depth-bit screen"
    # Fewer colours on the screen than in the rendering: nearly equal is equal.
    FUZZ=0
    [ "$depth" -eq 16 ] && FUZZ=6%
    start_xvfb "$SCREEN_W" "$SCREEN_H" "$depth"
    start_openbox
    start_strip GDK_SCALE=2
    check_size $((2 * STRIP_H)) "$what"
    choose_noon
    check_crisp_blocks "$what"
    check_matches_rendering 2 "$what"
    check_uncovered_repaint "$what"
    end_session
done
FUZZ=0

# --- the desktop's scale changes from 2 to 1 while the strip runs ------------------
start_xvfb "$SCREEN_W" "$SCREEN_H"
start_openbox
echo "Gdk/WindowScalingFactor 2" >"$WORK/xsettings"
xsettingsd -c "$WORK/xsettings" >"$WORK/xsettingsd.log" 2>&1 &
XSETTINGS_PID=$!
PIDS="$PIDS $XSETTINGS_PID"
start_strip
check_size $((2 * STRIP_H)) "scale 2 from the desktop's settings"
choose_noon
echo "Gdk/WindowScalingFactor 1" >"$WORK/xsettings"
kill -HUP "$XSETTINGS_PID"
# GDK halves the window's device size at once; the strip then lays itself
# out afresh at the full width.
size() { set -- $(geometry "$STRIP"); echo "$3 x $4"; }
wait_for 5 '[ "$(size)" = "$SCREEN_W x $STRIP_H" ]' &&
    pass "at scale 1 the strip is $SCREEN_W x $STRIP_H device pixels" ||
    fail "after the change to scale 1 the strip is $(size) device pixels, not $SCREEN_W x $STRIP_H"
# The new width is laid out afresh: the clouds drew new places.
sky_relaid() {
    import -window "$STRIP" "$WORK/strip.png" 2>/dev/null
    sky=$(relaid_sky "$WORK/strip.png" "$SCREEN_W" 1 --scene 0)
    [ "$sky" = ok ]
}
retry 10 0.2 sky_relaid && pass "after the change to scale 1 the sky is drawn as rendered at scale 1" ||
    fail "after the change to scale 1 the sky differs from seastrip-render's at scale 1 ($sky)"
end_session

e2e_end "all drawing checks passed" "$WORK/seastrip.log"
