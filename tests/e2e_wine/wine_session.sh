# Helpers for driving the Windows build under Wine in a private X server.
# Sourced by run_case.sh; every routine fails loudly rather than skipping.

. "$(dirname "${BASH_SOURCE[0]}")/../e2e_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../e2e_gtk/x_session.sh"
SCREEN_W=1024
SCREEN_H=768
# Device pixels per art pixel, and the strip's height in device pixels.
SCALE=1
STRIP_H=28

fail() { die "$@"; }
note() { echo "-- $*"; }

# Starts Xvfb on a free display with a window manager (it gives new windows
# the keyboard focus, as a desktop does) and arranges for both to stop.
start_display() {
    PIDS=""
    trap stop_session EXIT
    start_xvfb "$SCREEN_W" "$SCREEN_H"
    start_openbox
}

stop_session() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
    wineserver -k 2>/dev/null
    end_session
    return 0
}

# prepare_prefix WHAT COMMAND...: makes WINEPREFIX with COMMAND once, under
# a lock, for all the run's cases.
prepare_prefix() {
    local what=$1
    shift
    (
        flock 9
        [ -f "$WINEPREFIX/.seastrip-ready" ] && exit 0
        "$@" || exit 1
        wineserver -w
        touch "$WINEPREFIX/.seastrip-ready"
    ) 9>"$WINEPREFIX.lock" || fail "could not prepare the Wine prefix$what"
}

# A Wine prefix shared by the run's tests, made once: the first boot of a
# prefix takes a while. Japanese menu text needs a font that has the glyphs,
# so the menu font is linked to the IPA Gothic that the system provides.
ensure_prefix() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
    mkdir -p "$WINEPREFIX"
    prepare_prefix "" first_boot
}
first_boot() {
    note "creating Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 && wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v Tahoma /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
}

# Switches to a copy of the shared prefix whose screen has the given dots per
# inch, made once (a copy is much faster than a first boot).
use_dpi_prefix() {
    local base=$WINEPREFIX
    export WINEPREFIX="$base-dpi$1"
    prepare_prefix " at $1 dpi" copy_at_dpi "$base" "$1"
}
copy_at_dpi() { # BASE DPI
    rm -rf "$WINEPREFIX" && cp -a "$1" "$WINEPREFIX" && rm -f "$WINEPREFIX/.seastrip-ready" &&
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}

# Polls a command until it succeeds, for at least the given seconds.
wait_until() { local seconds=$1; shift; wait_for "$seconds" "$(printf '%q ' "$@")"; }

# The program's windows; APP_EXE names another executable that runs the strip
# (the tick test tool).
APP_EXE=seastrip.exe
window_lines() { xwininfo -root -tree 2>/dev/null | grep "(\"$APP_EXE\""; }
# The strip is the program's window of that name and the strip's height; a
# message box has the same name.
strip_line() { window_lines | grep -E "\"Seastrip\": .* [0-9]+x${STRIP_H}[+]" | head -1; }
message_count() { window_lines | grep '"Seastrip":' | grep -c -v -E " [0-9]+x${STRIP_H}[+]"; }
# The name of the window that has the keyboard focus.
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null; }
has_strip() { [ -n "$(strip_line)" ]; }
no_strip() { [ -z "$(strip_line)" ]; }
dialog_line() { window_lines | grep '"バージョン情報":' | head -1; }
has_dialog() { [ -n "$(dialog_line)" ]; }
no_dialog() { [ -z "$(dialog_line)" ]; }

# "W H X Y" of a window line from xwininfo (size, then absolute position).
geometry_of() { sed -E 's/.* ([0-9]+)x([0-9]+)[+-][0-9-]+[+-][0-9-]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2 \3 \4/'; }

# Copies the executable (and its wave sound) into a fresh folder and starts
# it, with any arguments given after the folder.
launch_strip() {
    local folder=$1
    shift
    mkdir -p "$folder"
    cmp -s "$SEASTRIP_EXE" "$folder/seastrip.exe" || cp "$SEASTRIP_EXE" "$folder/seastrip.exe"
    cmp -s "$ZEM_WAV" "$folder/zem.wav" || cp "$ZEM_WAV" "$folder/zem.wav"
    (cd "$folder" && exec wine seastrip.exe "$@" >"$WORK/app.log" 2>&1) &
    APP_PID=$!
    wait_until 30 has_strip || fail "the strip window did not appear"
    wait_until 10 strip_painted || fail "the strip was never painted"
}

# The strip shows more than one colour: its sky has been painted.
strip_painted() {
    shoot_strip "$WORK/first.png" 2>/dev/null &&
        [ "$(convert "$WORK/first.png" -format '%k' info: 2>/dev/null)" -gt 1 ] 2>/dev/null
}

app_exits() { ! kill -0 "$APP_PID" 2>/dev/null; }

# Right-clicks the strip's own surface until the popup menu opens. A press on
# a visible element (a star, a cloud) does nothing, so other points are tried.
# Conditions are polled as functions: a count taken once before the wait
# would never see the menu come or go.
open_menu() {
    local top x
    no_menus || fail "a menu is still open before the next one"
    top=$(strip_line | geometry_of | cut -d' ' -f4)
    # The menu hears the keys of the window that has the keyboard focus; a
    # closed dialog leaves it nowhere, so the strip gets it first (once the
    # menu is open, any change of focus would close it).
    [ "${FOCUS_STRIP:-1}" = 1 ] && xdotool windowfocus "$(strip_line | awk '{print $1}')" 2>/dev/null
    for x in 300 517 733 97 911 161; do
        xdotool mousemove "$x" $((top + 3)) click 3
        wait_until 2 menus_shown 1 && return 0
        no_menus || fail "a menu opened but never showed"
    done
    fail "no right-click on the strip opened the menu"
}

# Unnamed windows of the program are its popup menus.
menu_ids() { window_lines | grep '(has no name)' | awk '{print $1}'; }
# At least N of the program's menus are on screen (mapped, not just made).
menus_shown() {
    local shown=0 id
    for id in $(menu_ids); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && shown=$((shown + 1))
    done
    [ "$shown" -ge "$1" ]
}
no_menus() { [ -z "$(menu_ids)" ]; }
close_menus() { wait_until 5 no_menus; }

# Menu paths by keyboard; a submenu opens with its first item highlighted.
# Each step waits for what it opens, so no key is sent ahead of its menu.
choose_in_submenu() { # DOWNS_TO_SUBMENU ITEM WHAT
    open_menu
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Right
    wait_until 3 menus_shown 2 || fail "the $3 submenu did not open"
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
    close_menus || fail "the menu did not close after a $3 choice"
}
choose_scene() { choose_in_submenu 1 "$1" scene; } # 0 auto .. 4 night
choose_sound() { choose_in_submenu 2 "$1" sound; } # 0 on, 1 off
choose_version() { open_menu; xdotool key Down Down Down Return; }
choose_exit() { open_menu; xdotool key Up Return; }

# The strip as a PNG of STRIP_H rows.
shoot_strip() { set -- "$1" $(strip_line | geometry_of) && import -window root -crop "${2}x$3+$4+$5" +repage "$1"; }
