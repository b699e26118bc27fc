#!/bin/bash
# End-to-end checks of the Windows build, run under Wine in a private Xvfb.
#   run_case.sh CASE WORK_DIR
# Environment: SEASTRIP_EXE, SEASTRIP_TICKTEST, ZEM_WAV, WINEPREFIX, and
# SEASTRIP_RENDER (the headless renderer, for the pixels the strip must show).
set -u
CASE=$1
WORK=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine_session.sh"
RENDER=${SEASTRIP_RENDER:-}
. "$HERE/../e2e_strip_pixels.sh"
# The program reads Wine's clock, which keeps the time zone it is given.
night_clock

# A case may have left a folder that nothing can write (case_preset).
chattr -R -i "$WORK" 2>/dev/null
rm -rf "$WORK"
mkdir -p "$WORK"
need_tools wine wineserver Xvfb openbox xdotool xwininfo xrandr import convert compare flock chattr wixl msibuild
for f in "$SEASTRIP_EXE" "$SEASTRIP_TICKTEST" "$ZEM_WAV"; do
    [ -f "$f" ] || fail "missing $f"
done
ensure_prefix
start_display

# The tick test tool, run from $WORK (it asks the desktop what the cases
# below need), or from $WORK/app, where it runs the program its own way.
cp "$SEASTRIP_TICKTEST" "$WORK/"
tool() { (cd "$WORK" && wine seastrip-ticktest.exe "$@" 2>/dev/null | tr -d '\r'); }
app_tool() { mkdir -p "$WORK/app" && cp "$SEASTRIP_TICKTEST" "$WORK/app/"; }

# The strip docks on the bottom of the work area (here the whole screen, no
# taskbar), as wide as the screen and STRIP_H pixels high.
expect_docked() {
    local want="$SCREEN_W $STRIP_H 0 $((SCREEN_H - STRIP_H))"
    [ "$(strip_line | geometry_of)" = "$want" ] || fail "the strip's W H X Y are $(strip_line | geometry_of), not $want"
    note "strip W H X Y: $want"
}

# Asked for a sixth monitor on a desktop of one, the strip takes the primary
# and says nothing.
case_geometry() {
    launch_strip "$WORK/app" /monitor 5
    [ "$(message_count)" -eq 0 ] || fail "an absent monitor brought up a message"
    expect_docked
}

# The whole strip, every pixel that nothing moves over, is seastrip-render's
# at the same width and scale: at the present clock (a night, see
# night_clock) after the start, and the noon scene once it is chosen through
# the menu (it shows on the second main tick). A few tries, since something
# that starts moving after the rendered seconds (a shooting star) may be on
# the screen; at least a third of the strip must hold still.
rendering_shown() { shoot_strip "$WORK/shot.png" && STRIP_H=28 still_matches "$WORK/shot.png" $((SCREEN_W / SCALE)) "$SCALE" "$@"; }
expect_rendering() { # WHAT [RENDER_ARGUMENT...]
    local what=$1
    shift
    [ -x "$RENDER" ] || fail "seastrip-render is needed to compare the strip's pixels"
    retry 8 0.5 rendering_shown "$@" ||
        fail "$what: $DIFFER of $COMPARED still pixels differ from seastrip-render at scale $SCALE, or too few hold still"
    note "$what: $DIFFER of $COMPARED still pixels differ from seastrip-render at scale $SCALE"
}

# The clock's scene, then the noon scene, as rendered. Between them, a
# right-click on the palm's trunk, art pixel (5, 20) inside its outline by
# day and by night, pressed on the last device pixel of its block, reaches
# the palm and not the strip: no menu opens.
case_sky() {
    launch_strip "$WORK/app"
    expect_rendering "the clock's scene"
    local top
    top=$(strip_line | geometry_of | cut -d' ' -f4)
    xdotool mousemove $((6 * SCALE - 1)) $((top + 21 * SCALE - 1)) click 3
    ! wait_until 2 menus_shown 1 || fail "a right-click on the palm opened the menu"
    note "a right-click on the palm opened no menu"
    choose_scene 2
    expect_rendering "noon" --scene 0
}

# The waves take their shapes on the wave timer: the wave band changes
# between two pictures a second apart.
band_changes() {
    shoot_strip "$WORK/a.png" && sleep 1 && shoot_strip "$WORK/b.png"
    changed=$(compare -metric AE "$WORK/a.png[${SCREEN_W}x7+0+21]" "$WORK/b.png[${SCREEN_W}x7+0+21]" null: 2>&1)
    [ "${changed%%.*}" -gt 0 ] 2>/dev/null
}
case_waves() {
    launch_strip "$WORK/app"
    choose_scene 2
    retry 3 0 band_changes || fail "the wave band did not change in a second ($changed)"
    note "$changed pixels of the wave band changed in a second"
}

# 終了 ends the process at once.
quit_strip() { # [WHAT]
    choose_exit
    wait_until 10 app_exits || fail "${1:-the program} is still running after 終了"
}

# The sound switch is written beside the executable and survives a restart.
case_settings() {
    launch_strip "$WORK/app"
    [ ! -e "$WORK/app/seastrip.ini" ] || fail "settings file exists before any choice"
    choose_sound 1
    wait_until 5 file_says "$WORK/app/seastrip.ini" "Sound=OFF" || fail "choosing なし did not write Sound=OFF"
    file_says "$WORK/app/seastrip.ini" "\[Data\]" || fail "the settings file has no [Data] section"
    quit_strip
    launch_strip "$WORK/app"
    choose_sound 0
    wait_until 5 file_says "$WORK/app/seastrip.ini" "Sound=ON" || fail "choosing あり did not write Sound=ON"
    file_says "$WORK/app/seastrip.ini" "Sound=OFF" && fail "the old value is still in the file"
    note "$(tr -d '\r' <"$WORK/app/seastrip.ini" | tr '\n' ' ')"
}

# A preset beside the program, in a folder that cannot be written (an
# installed copy), is read and left as it is: the user's choice goes to the
# fallback file in the roaming application data, whose folder appears only
# with that first write, and which is read first from then on. No probe file
# is ever made. The tests run as root, whom no permission stops, so the
# folder and the file are made immutable instead.
fallback_ini() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Seastrip/seastrip.ini"; }
# Which sound item carries the menu's mark (0 あり, 1 なし), read off the
# open submenu: the marked item's left margin holds the dark dot.
sound_mark() {
    local x y w h top bottom
    open_menu
    xdotool key Down Down Right
    wait_until 3 menus_shown 2 || fail "the sound submenu did not open"
    # The submenu is the shorter of the two: two items against five.
    read -r x y w h <<<"$(for id in $(menu_ids); do geometry "$id"; done | sort -n -k4 | head -1)"
    import -window root "$WORK/menu.png"
    xdotool key Escape Escape
    close_menus || fail "the menu did not close"
    # An unmarked item's margin is one colour (its background, plain or
    # highlighted); the mark adds others.
    colours() { convert "$WORK/menu.png" -crop "12x8+$((x + 4))+$(($1 - 4))" +repage -format '%k' info:; }
    top=$(colours $((y + h / 4)))
    bottom=$(colours $((y + 3 * h / 4)))
    if [ "$top" -gt 1 ] && [ "$bottom" -eq 1 ]; then echo 0
    elif [ "$top" -eq 1 ] && [ "$bottom" -gt 1 ]; then echo 1
    else echo "unclear ($top, $bottom colours)"; fi
}
# The preset and the program's folder are as they were.
preset_kept() {
    cmp -s "$WORK/preset.ini" "$WORK/app/seastrip.ini" || fail "the read-only preset was changed"
    [ "$(stat -c %a "$WORK/app/seastrip.ini")" = 444 ] || fail "the preset lost its read-only mark"
    [ "$(ls "$WORK/app" | sort | tr '\n' ' ')" = "seastrip.exe seastrip.ini zem.wav " ] ||
        fail "the program folder holds: $(ls "$WORK/app")"
}

case_preset() {
    local fallback_folder mark expected choice value
    fallback_folder=$(dirname "$(fallback_ini)")
    rm -rf "$fallback_folder"
    mkdir -p "$WORK/app"
    printf '[Data]\r\nSound=OFF\r\n' >"$WORK/app/seastrip.ini"
    chmod a-w "$WORK/app/seastrip.ini"
    cp "$WORK/app/seastrip.ini" "$WORK/preset.ini"
    cp "$SEASTRIP_EXE" "$ZEM_WAV" "$WORK/app/"
    chattr +i "$WORK/app/seastrip.ini" "$WORK/app" || fail "chattr cannot make the program folder unwritable here"
    # First the preset's なし is read and あり goes to the fallback; started
    # again, the program reads the fallback first, and なし goes there too.
    for round in "1 0 ON" "0 1 OFF"; do
        read -r expected choice value <<<"$round"
        launch_strip "$WORK/app"
        mark=$(sound_mark)
        [ "$mark" = "$expected" ] || fail "round $round: the mark is on $mark, not on the stored setting"
        [ "$expected" = 0 ] || [ ! -e "$fallback_folder" ] || fail "the fallback folder was made before any choice"
        preset_kept
        choose_sound "$choice"
        wait_until 5 file_says "$(fallback_ini)" "Sound=$value" || fail "choosing Sound=$value did not reach the fallback file"
        preset_kept
        quit_strip
    done
    note "fallback: $(tr -d '\r' <"$(fallback_ini)" | tr '\n' ' ')"
    rm -rf "$fallback_folder"
    chattr -i "$WORK/app" "$WORK/app/seastrip.ini"
}

# The version dialog: its client area, and OK by Enter and by Escape.
case_dialog() {
    launch_strip "$WORK/app"
    open_dialog
    read -r w h _ _ <<<"$(dialog_line | geometry_of)"
    note "dialog client ${w}x${h}"
    [ "$w" -eq 263 ] && [ "$h" -eq 75 ] || fail "dialog client area ${w}x${h}, expected 263x75"
    import -window root "$WORK/dialog.png"
    close_dialog Return
    open_dialog
    close_dialog Escape
    has_strip || fail "the strip went away with the dialog"
}

# The window manager gives a new dialog the keyboard focus, but not always
# before the keys are sent; it is given the focus outright, and asked again
# until it holds: a dialog not yet mapped cannot take the focus.
dialog_focused() { [ "$(focused_name)" = "バージョン情報" ]; }
focus_dialog() { dialog_focused || { xdotool windowfocus --sync "$(dialog_line | awk '{print $1}')" 2>/dev/null; dialog_focused; }; }
open_dialog() {
    choose_version
    wait_until 10 has_dialog || fail "the version dialog did not open"
    wait_until 5 focus_dialog || fail "the dialog could not be given the keyboard focus"
}
close_dialog() { xdotool key "$1"; wait_until 5 no_dialog || fail "$1 did not close the dialog"; }

case_exit() {
    launch_strip "$WORK/app"
    quit_strip
    wait_until 5 no_strip || fail "the strip window is still there"
}

# ends_with STATUS WHAT: WHAT ends the program within 10 s with STATUS.
ends_with() {
    wait_until 10 app_exits || fail "$2 did not end the program (messages: $(message_count))"
    wait "$APP_PID"
    local status=$?
    [ "$status" -eq "$1" ] || fail "$2 ended the program with status $status"
    note "$2: status $status"
}

# A close request ends the program as 終了 does: a close sent to its windows
# and the end of the session each end it with status 0 and nothing shown.
# The menu and the dialog give the foreground back to the window that had
# it, so an Alt+F4 after them no longer lands on the strip. (Wine keeps the X
# focus on the strip, which it cannot hand to a managed window, so the
# foreground is asked of the desktop, not of the X server.)
notepad_is_foreground() { tool foreground | grep -q Notepad; }
strip_has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(($(strip_line | awk '{print $1}')))" ]; }

case_close() {
    launch_strip "$WORK/app"
    wine notepad >/dev/null 2>&1 &
    wait_until 20 notepad_is_foreground || fail "notepad did not come to the foreground"
    FOCUS_STRIP=0
    open_menu
    # The strip takes the foreground for its menu, and with it the keyboard;
    # Wine hands the X focus over a moment after it maps the menu, and a key
    # sent before that goes to notepad.
    wait_until 3 strip_has_keyboard || fail "the menu is open but '$(focused_name)' has the keyboard"
    xdotool key Escape
    close_menus || fail "Escape did not close the menu"
    wait_until 3 notepad_is_foreground || fail "after the menu the foreground is '$(tool foreground)', not notepad"
    open_dialog
    close_dialog Escape
    wait_until 3 notepad_is_foreground || fail "after the dialog the foreground is '$(tool foreground)', not notepad"
    note "the foreground went back to notepad after the menu and the dialog"
    # A strip destroyed by this press would fail on its next wave tick: two
    # seconds of watching are many ticks.
    xdotool key alt+F4
    ! wait_until 2 has_message || fail "a message box came up after Alt+F4"
    has_strip && ! app_exits || fail "Alt+F4 after the menu ended the strip"
    wine taskkill /im seastrip.exe >/dev/null 2>&1
    ends_with 0 "a close request"
    launch_strip "$WORK/app"
    wineboot --end-session >/dev/null 2>&1
    ends_with 0 "the end of the session"
}

# A region the system refuses: the message box is owned by the strip, no
# tick runs (every region is spoiled, so a tick would fail again and show a
# second box) and no press opens the menu while it is up; OK ends the
# program with status 1.
has_message() { [ "$(message_count)" -ge 1 ]; }
more_than_one_message() { [ "$(message_count)" -gt 1 ]; }
message_id() { window_lines | grep '"Seastrip":' | grep -v -E " [0-9]+x${STRIP_H}[+]" | awk '{print $1; exit}'; }
case_failure() {
    app_tool
    APP_EXE=seastrip-ticktest.exe
    (cd "$WORK/app" && exec wine seastrip-ticktest.exe fail 1500 >"$WORK/app.log" 2>&1) &
    APP_PID=$!
    wait_until 30 has_strip || fail "the strip window did not appear"
    wait_until 10 has_message || fail "no failure message came up"
    local top x
    top=$(strip_line | geometry_of | cut -d' ' -f4)
    for x in 300 517 733; do xdotool mousemove "$x" $((top + 3)) click 3; done
    # A second or so: several wave ticks, had the timers not stopped.
    ! wait_until 2 more_than_one_message || fail "a second message box came up: a tick ran behind the first"
    no_menus || fail "a right-click opened the menu behind the message"
    # Enter on the focused box presses OK. The focus is asked for again
    # should the key have gone elsewhere (Wine hands it over a moment late
    # now and then).
    for _ in 1 2 3; do
        xdotool windowfocus --sync "$(message_id)" 2>/dev/null
        xdotool key Return
        wait_until 5 app_exits && break
    done
    ends_with 1 "OK on the failure message"
}

# Two copies: the second ends at once with status 0 and says why on standard
# error while the first keeps running; a first copy killed outright does not
# keep a new one from starting.
case_instances() {
    launch_strip "$WORK/app"
    local first=$APP_PID status
    (cd "$WORK/app" && timeout 30 wine seastrip.exe >"$WORK/second.out" 2>"$WORK/second.err")
    status=$?
    [ "$status" -eq 0 ] || fail "the second copy ended with status $status"
    grep -q "already running" "$WORK/second.err" || fail "the second copy said: $(cat "$WORK/second.err")"
    kill -0 "$first" 2>/dev/null && has_strip || fail "the first copy did not survive the second"
    note "second copy: $(tr -d '\r' <"$WORK/second.err")"
    # A mistake on the command line is named, even while a strip runs.
    (cd "$WORK/app" && timeout 30 wine seastrip.exe /frobnicate >/dev/null 2>"$WORK/mistake.err")
    status=$?
    [ "$status" -eq 2 ] && grep -q "unknown argument '/frobnicate'" "$WORK/mistake.err" ||
        fail "an unknown argument: status $status, said: $(cat "$WORK/mistake.err")"
    kill -9 "$first"
    wait_until 10 no_strip || fail "the killed copy's strip stayed"
    launch_strip "$WORK/app"
    note "a new copy starts after the first was killed"
}

# At 192 dots per inch the strip stands at twice its size: 56 pixels high on
# the bottom of the work area, as wide as the screen, every art pixel a
# uniform 2x2 block, and what it shows that of the headless renderer at half
# the width, doubled without blending.
case_dpi() {
    use_dpi_prefix 192
    SCALE=2
    STRIP_H=56
    case_sky
    expect_docked
    shoot_strip "$WORK/blocks.png"
    convert "$WORK/blocks.png" -sample 50% -sample 200% "$WORK/resampled.png"
    [ "$(compare -metric AE "$WORK/blocks.png" "$WORK/resampled.png" null: 2>&1)" = 0 ] ||
        fail "some 2x2 blocks are not one colour"
    note "every 2x2 block is one colour"
}

# The work area changes under the strip: announced as a setting change, or
# as a taskbar that started anew; the strip stands on its bottom edge again
# within a second each time. A thousand changes leave the GDI and USER
# object counts where they were.
strip_top_is() { [ "$(strip_line | geometry_of | cut -d' ' -f4)" = "$1" ]; }
strip_is() { [ "$(strip_line | geometry_of)" = "$1" ]; }
said() { tr -d '\r' <"$WORK/desktop.out" | grep -q -x "$1"; }
tell() { echo "$1" >&7; wait_until "${3:-10}" said "$2" || fail "the tool did not answer '$1'"; }
churn_counts() { tr -d '\r' <"$WORK/desktop.out" | sed -nE "s/^churn $1: gdi=(-?[0-9]+) user=(-?[0-9]+)/\1 \2/p"; }

case_desktop() {
    app_tool
    APP_EXE=seastrip-ticktest.exe
    mkfifo "$WORK/commands"
    (cd "$WORK/app" && exec wine seastrip-ticktest.exe desktop <"$WORK/commands" >"$WORK/desktop.out" 2>&1) &
    APP_PID=$!
    exec 7>"$WORK/commands"
    wait_until 30 said ready || fail "the tool did not start the program"
    wait_until 10 has_strip || fail "the strip window did not appear"
    for bottom in 700 740 $SCREEN_H; do
        tell "work $bottom" "work $bottom set"
        wait_until 1 strip_top_is $((bottom - STRIP_H)) ||
            fail "the work area ends at $bottom, the strip at $(strip_line | geometry_of)"
    done
    # A taskbar at the left: the strip stands beside it, on the rest of the width.
    tell "side 100" "side 100 set"
    wait_until 1 strip_is "$((SCREEN_W - 100)) $STRIP_H 100 $((SCREEN_H - STRIP_H))" ||
        fail "the work area starts at 100, the strip is at $(strip_line | geometry_of)"
    tell "quiet 720" "quiet 720 set"
    tell "taskbar" "taskbar announced"
    wait_until 1 strip_top_is $((720 - STRIP_H)) || fail "the strip did not follow a new taskbar"
    tell "work $SCREEN_H" "work $SCREEN_H set"
    note "the strip followed the work area to 700, 740, $SCREEN_H, beside a taskbar at the left and a new taskbar's 720"
    tell "churn 1000" "churn after: .*" 300
    local before after user_before user_after
    read -r before user_before <<<"$(churn_counts before)"
    read -r after user_after <<<"$(churn_counts after)"
    note "GDI objects before and after 1,000 work-area changes: $before, $after"
    [ "$before" -gt 0 ] || fail "no GDI object count is available"
    [ $((after - before)) -le 3 ] || fail "GDI objects grew from $before to $after over 1,000 changes"
    [ "$user_before" -lt 0 ] || [ "$user_after" -eq "$user_before" ] ||
        fail "USER objects grew from $user_before to $user_after"
    wait_until 1 strip_top_is $((SCREEN_H - STRIP_H)) || fail "the strip did not come back to the bottom"
    echo quit >&7
    wait_until 10 app_exits || fail "the tool did not end"
}

# No GDI or USER object leaks per tick. The tick test counts after 200 and
# after 2,000 wave ticks, each composed and copied into the strip window, so
# a DC or bitmap lost per tick would add well over 1,800 objects; Wine's own
# window-painting cache may grow by a DC, a region and a bitmap a couple of
# times over such a run, which the allowance of three such sets covers. The
# windows stay the strip's, the timers' and the one that hears whether the
# strip can be seen: no element is a window.
case_objects() {
    app_tool
    (cd "$WORK/app" && timeout 600 wine seastrip-ticktest.exe 2000) >"$WORK/ticks.txt" 2>"$WORK/ticks.err" ||
        fail "the tick test did not finish: $(tail -3 "$WORK/ticks.err")"
    tr -d '\r' <"$WORK/ticks.txt"
    local g200 u200 w200 g2000 u2000 w2000
    counts_after() { tr -d '\r' <"$WORK/ticks.txt" | sed -nE "s/^after $1 ticks: gdi=(-?[0-9]+) user=(-?[0-9]+) windows=([0-9]+).*/\1 \2 \3/p"; }
    read -r g200 u200 w200 <<<"$(counts_after 200)"
    read -r g2000 u2000 w2000 <<<"$(counts_after 2000)"
    [ -n "$g200" ] && [ -n "$g2000" ] || fail "the tick test printed no counts"
    [ "$g200" -gt 0 ] || fail "no GDI object count is available"
    [ $((g2000 - g200)) -le 9 ] || fail "GDI objects grew from $g200 to $g2000 between 200 and 2,000 ticks"
    [ "$u200" -lt 0 ] || [ "$u2000" -eq "$u200" ] || fail "USER objects grew from $u200 to $u2000"
    [ "$w200" -le 3 ] && [ "$w2000" -eq "$w200" ] || fail "the program has $w200, then $w2000 windows"
    note "GDI objects: $g200 after 200 ticks, $g2000 after 2,000; $w2000 windows"
}

# Nobody can see the strip: the session locked, the display off, a full-screen
# window over it. Wine passes on none of these notices, so the tick test
# hands them to the program's own window for them, as Windows would.
case_unseen() {
    app_tool
    cp "$ZEM_WAV" "$WORK/app/zem.wav"
    (cd "$WORK/app" && timeout 120 wine seastrip-ticktest.exe unseen) >"$WORK/unseen.txt" 2>"$WORK/unseen.err"
    local status=$?
    tr -d '\r' <"$WORK/unseen.txt"
    grep -q '^ok:' "$WORK/unseen.txt" || fail "the tick test checked nothing: $(tail -3 "$WORK/unseen.err")"
    [ "$status" -eq 0 ] || fail "the strip out of sight did not behave (status $status)"
}

# /reserve: the strip keeps its row as a toolbar of the shell, so another
# toolbar asking for the bottom edge must end above it, and the row is free
# again once 終了 has ended the program. (Wine's shell keeps toolbars apart
# but leaves the work area as it is, so maximised windows are not checked
# here.)
free_bottom() { tool free-bottom | sed -n 's/^free bottom //p'; }
case_reserve() {
    launch_strip "$WORK/app" /reserve
    wait_until 5 strip_top_is $((SCREEN_H - STRIP_H)) || fail "the reserving strip is at $(strip_line | geometry_of)"
    [ "$(free_bottom)" = $((SCREEN_H - STRIP_H)) ] || fail "with the strip's row kept, a toolbar may still end at '$(free_bottom)'"
    quit_strip
    [ "$(free_bottom)" = "$SCREEN_H" ] || fail "after the strip ended, a toolbar may only end at '$(free_bottom)'"
    note "another toolbar ends at $((SCREEN_H - STRIP_H)) above the strip's row, at $SCREEN_H after it ended"
}

# The installer, per user: msiexec /i puts the program and its wave sound in
# the user's programs folder with a Start menu shortcut, and a start at login
# only when AUTOSTART=1 asks for it; the installed program shows its strip;
# each newer version replaces the one before, keeping the settings file and
# the start at login; msiexec /x takes away every file and entry of the
# installer's, the settings aside. It runs in a copy of the prefix, so
# nothing it installs reaches the other cases.

# The Unix path of the folder a Windows variable names; false unless Wine
# named a drive path that exists (Wine's messages in $WORK/wine.log).
win_dir() {
    local path
    path=$(wine cmd /c echo "%$1%" 2>>"$WORK/wine.log" | tr -d '\r')
    case $path in [A-Za-z]:\\*) ;; *) echo "$1 read as \"$path\"" >>"$WORK/wine.log"; return 1 ;; esac
    path=$(winepath -u "$path" 2>>"$WORK/wine.log") && [ -d "$path" ] && echo "$path"
}
# The start at login's value, if any (reg prints its errors on standard output).
run_entry() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Seastrip 2>/dev/null | tr -d '\r' | grep REG_SZ; }
products() { wine uninstaller --list 2>/dev/null | tr -d '\r' | grep -c '|||Seastrip$'; }
msiexec_ok() { (cd "$WORK" && wine msiexec "$@" /qn >>"$WORK/msiexec.log" 2>&1) || fail "msiexec $* failed"; }
older_msi() { # VERSION
    sh "$SEASTRIP_SOURCE/packaging/windows/make-msi.sh" Seastrip "$1" "$SEASTRIP_EXE" "$ZEM_WAV" \
        "$SEASTRIP_SOURCE/assets/icon.ico" "$WORK/$1.msi" || fail "could not make an installer of version $1"
}
# After an install or upgrade: one version listed, its program and sound in
# place, the settings as they were.
check_installed() { # WHAT
    [ "$(products)" -eq 1 ] || fail "$1: $(products) versions are listed as installed, not one"
    cmp -s "$dir/seastrip.exe" "$SEASTRIP_EXE" && cmp -s "$dir/zem.wav" "$ZEM_WAV" ||
        fail "$1: the program and its wave sound are not in $dir: $(ls "$dir" 2>&1)"
    [ ! -e "$ini" ] || file_says "$ini" Sound=OFF || fail "$1 lost the settings: $(cat "$ini" 2>&1)"
}
case_installer() {
    [ -f "$SEASTRIP_MSI" ] || fail "missing $SEASTRIP_MSI"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    cp -a "$WINEPREFIX" "$WORK/prefix" || fail "could not copy the Wine prefix"
    export WINEPREFIX=$WORK/prefix
    cp "$SEASTRIP_MSI" "$WORK/new.msi"
    older_msi 0.9.0
    older_msi 0.9.1
    local dir menu ini local_dir roaming_dir
    # A first run in the copied prefix once found no folder; asked again.
    local_dir=$(retry 5 1 win_dir LOCALAPPDATA) && roaming_dir=$(retry 5 1 win_dir APPDATA) ||
        fail "Wine named no LOCALAPPDATA or APPDATA folder: $(tail -n 5 "$WORK/wine.log")"
    dir=$local_dir/Programs/Seastrip
    menu="$roaming_dir/Microsoft/Windows/Start Menu/Programs/Seastrip.lnk"
    ini=$dir/seastrip.ini

    msiexec_ok /i 0.9.0.msi
    check_installed "0.9.0"
    grep -q -a -i 'seastrip\.exe' "$menu" 2>/dev/null || fail "no Start menu shortcut to the program at $menu"
    [ -z "$(run_entry)" ] || fail "a start at login was set up without AUTOSTART=1"
    note "0.9.0 installed in $dir, with its shortcut and no start at login"

    # The installed program runs from its folder and keeps its settings there.
    launch_strip "$dir"
    choose_sound 1
    wait_until 5 file_says "$ini" Sound=OFF || fail "なし wrote no Sound=OFF beside the installed program"
    quit_strip "the installed program"

    msiexec_ok /i 0.9.1.msi AUTOSTART=1
    check_installed "the upgrade to 0.9.1"
    run_entry | grep -q -i 'Programs\\Seastrip\\seastrip\.exe' || fail "AUTOSTART=1 set no start at login: $(run_entry)"
    msiexec_ok /i new.msi
    check_installed "the upgrade to this version"
    run_entry | grep -q -i 'seastrip\.exe' || fail "the upgrade dropped the start at login"
    note "upgraded twice, Sound=OFF kept, start at login: $(run_entry | sed 's/.*REG_SZ *//')"

    msiexec_ok /x new.msi
    [ "$(products)" -eq 0 ] || fail "the program is still listed after its removal"
    [ ! -e "$dir/seastrip.exe" ] && [ ! -e "$dir/zem.wav" ] && [ ! -e "$menu" ] ||
        fail "the removal left files: $(ls "$dir" "$menu" 2>&1)"
    [ -z "$(run_entry)" ] || fail "the removal left the start at login"
    file_says "$ini" Sound=OFF || fail "the removal touched the settings file"
    note "removed; left behind: $(cd "$dir" && ls)"
}

"case_$CASE"
echo "PASS: $CASE"
