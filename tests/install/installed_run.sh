#!/bin/sh
# Installs the build into a temporary prefix and runs the installed program
# the way a user of a system-wide install does: from a bin/ folder it cannot
# write to, with its own home and config folders. Checks that the files land
# where desktops and software centres look for them, that the program starts
# and stays up, that it plays the installed wave sound, that a menu choice
# reaches the settings file under $XDG_CONFIG_HOME, and that the menu's
# Japanese captions show with the font the Debian package recommends, while
# without any such font the program says which package to install.
#
# usage: installed_run.sh BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) when the desktop program has not been built.
# With SEASTRIP_PREFIX set (for example /usr, after installing the Debian
# package) it checks that installation instead of making its own.

BUILD=$1
SOURCE=$2

[ -n "${SEASTRIP_PREFIX:-}" ] || [ -x "$BUILD/seastrip" ] || {
    echo "SKIPPED: the GTK desktop program ($BUILD/seastrip) is not built"
    exit 77
}
. "$(dirname "$0")/../e2e_lib.sh"
e2e_begin install
need_tools Xvfb xdotool xwininfo xprop strace desktop-file-validate appstreamcli import convert dpkg

# --- the installed files -------------------------------------------------------
PREFIX=${SEASTRIP_PREFIX:-$WORK/prefix}
if [ -z "${SEASTRIP_PREFIX:-}" ]; then
    cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
        die "cmake --install failed: $(cat "$WORK/install.log")"
fi
chmod -R a+rX "$WORK"

[ -x "$PREFIX/bin/seastrip" ] && pass "the program is in bin/" || fail "no bin/seastrip"
cmp -s "$PREFIX/share/seastrip/zem.wav" "$SOURCE/assets/zem.wav" &&
    pass "the wave sound is in share/seastrip/" || fail "share/seastrip/zem.wav is missing or differs"
ICON=$PREFIX/share/icons/hicolor/32x32/apps/seastrip.png
# A PNG whose header says 32 x 32: the size of the hicolor folder it sits in.
if [ "$(od -An -tx1 -j16 -N8 "$ICON" 2>/dev/null | tr -d ' \n')" = "0000002000000020" ]; then
    pass "the icon is a 32 x 32 PNG in the hicolor theme"
else
    fail "$ICON is missing or not 32 x 32"
fi
for entry in applications/seastrip.desktop seastrip/seastrip-autostart.desktop; do
    file=$PREFIX/share/$entry
    if [ ! -f "$file" ]; then
        fail "share/$entry is missing"
    elif ! out=$(desktop-file-validate "$file" 2>&1) || [ -n "$out" ]; then
        fail "share/$entry does not validate: $out"
    elif ! grep -qx 'Exec=seastrip' "$file" || ! grep -qx 'Icon=seastrip' "$file"; then
        fail "share/$entry does not start the installed program with its icon"
    else
        pass "share/$entry is a valid entry for the installed program"
    fi
done
grep -qx 'X-GNOME-Autostart-enabled=true' "$PREFIX/share/seastrip/seastrip-autostart.desktop" &&
    pass "the autostart entry is enabled" || fail "the autostart entry is not enabled"

# Software centres find the description through the menu entry's id; the
# screenshots are the README's pictures, published with the source.
META=$PREFIX/share/metainfo/seastrip.metainfo.xml
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$META" 2>/dev/null)
if [ ! -f "$META" ]; then
    fail "share/metainfo/seastrip.metainfo.xml is missing"
elif out=$(appstreamcli validate --no-net "$META" 2>&1); [ $? -gt 3 ] || echo "$out" | grep -q '^E:'; then
    fail "the AppStream metadata does not validate: $out"
elif [ "$launchable.metainfo.xml" != "${launchable%.desktop}.desktop.metainfo.xml" ] ||
    [ ! -f "$PREFIX/share/applications/$launchable" ]; then
    fail "the AppStream metadata launches '$launchable', which is not the installed menu entry"
else
    pass "the AppStream metadata validates and names the menu entry $launchable"
fi
for picture in $(sed -n 's:.*<image>.*/\(docs/[^<]*\)</image>.*:\1:p' "$META" 2>/dev/null); do
    [ -f "$SOURCE/$picture" ] || fail "the AppStream screenshot $picture is not among the README's pictures"
done

# --- the fonts: what the package recommends, and none at all ---------------------------
# The package depends on the toolkit, whose font configuration brings a Latin
# font; the Japanese one is the first the package recommends. Each set is a
# font configuration of its own, as on a system with only those installed.
if [ -n "${SEASTRIP_PREFIX:-}" ]; then
    recommends=$(dpkg-query -W -f='${Recommends}' seastrip)
else
    recommends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")
fi
FONT_PACKAGE=${recommends%%[ |,]*}
font_config() { # NAME PACKAGE...
    name=$1
    shift
    {
        echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
        dpkg -L "$@" 2>/dev/null | grep -E '\.(ttf|otf|ttc)$' | sed 's:/[^/]*$::' | sort -u | sed 's:.*:<dir>&</dir>:'
        echo "<cachedir>$WORK/fontcache-$name</cachedir></fontconfig>"
    } >"$WORK/$name.conf"
    grep -q '<dir>' "$WORK/$name.conf" || die "no fonts of $* are installed"
}
[ -n "$FONT_PACKAGE" ] || die "the package recommends no font"
font_config recommended fonts-liberation "$FONT_PACKAGE"
font_config latin fonts-liberation

# --- the user and the display --------------------------------------------------------
# The user's own folders; neither exists beforehand, as on a first login.
USER_HOME=$WORK/home
CONFIG=$WORK/config
mkdir -p "$USER_HOME"
# Run as an ordinary user, to whom bin/ is read-only as on a real system. As
# root, every folder is writable, so root runs the program as "nobody".
AS_USER=""
if [ "$(id -u)" -eq 0 ]; then
    AS_USER="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chown 65534:65534 "$USER_HOME" "$WORK"
elif [ -z "${SEASTRIP_PREFIX:-}" ]; then
    chmod a-w "$PREFIX/bin"
fi

# Xvfb picks a free display itself and writes its number, so parallel runs
# never meet on one server.
Xvfb -noreset -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
PIDS="$PIDS $!"
wait_for 10 '[ -s "$WORK/display" ]' || die "Xvfb did not start: $(cat "$WORK/xvfb.log")"
DISPLAY_NO=$(head -n 1 "$WORK/display")

# --- the installed program -------------------------------------------------------------
# strace records which files the program opens: the wave sound is read at the
# start of the first wave cycle, one wave tick after the start.
env -i PATH="$PREFIX/bin:/usr/bin:/bin" DISPLAY=":$DISPLAY_NO" GDK_BACKEND=x11 \
    HOME="$USER_HOME" XDG_CONFIG_HOME="$CONFIG" FONTCONFIG_FILE="$WORK/recommended.conf" \
    strace -f -qq -e trace=openat,open,access,faccessat,faccessat2 -o "$WORK/trace" $AS_USER seastrip >"$WORK/seastrip.log" 2>&1 &
STRACE_PID=$!
PIDS="$STRACE_PID $PIDS"
export DISPLAY=":$DISPLAY_NO"

STRIP=""
find_strip() {
    STRIP=$(xdotool search --all --onlyvisible --name '^Seastrip$' 2>/dev/null | head -n 1)
    [ -n "$STRIP" ]
}
wait_for 15 find_strip || die "the installed program's strip did not appear: $(cat "$WORK/seastrip.log")"
sleep 3
if kill -0 "$STRACE_PID" 2>/dev/null && xwininfo -id "$STRIP" >/dev/null 2>&1; then
    pass "the installed program starts and is still running after 3 s"
else
    die "the installed program ended early: $(cat "$WORK/seastrip.log")"
fi

SOUND=$PREFIX/share/seastrip/zem.wav
sound_opened() { grep -q "open.*\"$SOUND\", O_RDONLY[^)]*) = [0-9]" "$WORK/trace"; }
if wait_for 7 sound_opened; then
    pass "it opens the installed wave sound $SOUND"
else
    fail "it never opened $SOUND; the wave sounds it looked for:"
    grep 'zem\.wav' "$WORK/trace" | sed 's/^/    /' >&2
fi

# Right-click on open sky and sea, away from the palm and the clouds, and wait
# for the popup menu: a second visible window of the program.
STRIP_PID=$(xprop -id "$STRIP" _NET_WM_PID | awk '{print $NF}')
menu_open() { [ "$(xdotool search --onlyvisible --pid "$STRIP_PID" 2>/dev/null | wc -l)" -ge 2 ]; }
# The open menu as a picture: the program's largest visible window on screen
# that is not the strip. The moment its captions are drawn is not known, so
# it is taken until two pictures in a row agree.
shoot_menu() {
    geometry=$(for id in $(xdotool search --onlyvisible --pid "$STRIP_PID" 2>/dev/null | grep -v -x "$STRIP"); do
        xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
            /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (x >= 0 && y >= 0) print w * h, w "x" h "+" x "+" y}'
    done | sort -n | tail -n 1 | cut -d' ' -f2)
    [ -n "$geometry" ] || { fail "no menu window to take a picture of"; return; }
    previous=""
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.3
        import -window root "$WORK/screen.png"
        convert "$WORK/screen.png" -crop "$geometry" +repage "$1"
        now=$(picture_id "$1")
        [ "$now" = "$previous" ] && return
        previous=$now
    done
}
picture_id() { convert "$1" -format '%wx%h %#' info: 2>/dev/null; }
STRIP_Y=$(xwininfo -id "$STRIP" | awk '/Absolute upper-left Y/ {y=$NF} END {print y}')
xdotool mousemove 600 $((STRIP_Y + STRIP_H - 10)) click 3
wait_for 5 menu_open || die "the popup menu did not open"
shoot_menu "$WORK/menu-recommended.png"
# 波の音 (the second item), then なし (its second), by keyboard.
xdotool key Down Down Right Down Return
SETTINGS=$CONFIG/seastrip/seastrip.ini
if wait_for 5 'grep -qx "Sound=OFF" "$SETTINGS" 2>/dev/null'; then
    pass "なし writes Sound=OFF to \$XDG_CONFIG_HOME/seastrip/seastrip.ini"
else
    fail "no Sound=OFF in $SETTINGS"
fi
strays=$(find "$PREFIX/bin" "$PREFIX/share/seastrip" "$USER_HOME" -name '*.ini' 2>/dev/null)
[ -z "$strays" ] && pass "no settings file beside the program, in its data or in the home folder" ||
    fail "settings written elsewhere: $strays"

grep -q "install.*$FONT_PACKAGE" "$WORK/seastrip.log" &&
    fail "with the recommended $FONT_PACKAGE, the program still warned about fonts: $(cat "$WORK/seastrip.log")"

# --- without a Japanese font -----------------------------------------------------------
# The same program with only the Latin font says once which package to
# install, runs on, and its menu looks otherwise: the captions are boxes.
kill "$STRIP_PID" 2>/dev/null
wait_for 10 '! xwininfo -id "$STRIP" >/dev/null 2>&1' || die "the first program did not end"
env -i PATH="$PREFIX/bin:/usr/bin:/bin" DISPLAY=":$DISPLAY_NO" GDK_BACKEND=x11 \
    HOME="$USER_HOME" XDG_CONFIG_HOME="$CONFIG" FONTCONFIG_FILE="$WORK/latin.conf" \
    $AS_USER seastrip >"$WORK/latin.log" 2>&1 &
PIDS="$! $PIDS"
wait_for 15 find_strip || die "without a Japanese font the strip did not appear: $(cat "$WORK/latin.log")"
STRIP_PID=$(xprop -id "$STRIP" _NET_WM_PID | awk '{print $NF}')
warnings=$(grep -c "install.*$FONT_PACKAGE" "$WORK/latin.log")
[ "$warnings" -eq 1 ] &&
    pass "without a Japanese font it says once to install $FONT_PACKAGE, and runs on" ||
    fail "without a Japanese font, $warnings warnings naming $FONT_PACKAGE: $(cat "$WORK/latin.log")"
xdotool mousemove 600 $((STRIP_Y + STRIP_H - 10)) click 3
wait_for 5 menu_open || die "the popup menu did not open without a Japanese font"
shoot_menu "$WORK/menu-latin.png"
xdotool key Escape
if [ "$(picture_id "$WORK/menu-recommended.png")" != "$(picture_id "$WORK/menu-latin.png")" ]; then
    pass "the menu's captions are drawn with $FONT_PACKAGE's glyphs, not as boxes"
else
    fail "the menu looks the same with $FONT_PACKAGE as without a Japanese font"
fi
[ -n "${SEASTRIP_KEEP_MENUS:-}" ] && cp "$WORK"/menu-*.png "$SEASTRIP_KEEP_MENUS"/

[ "$FAILED" -eq 0 ] || {
    echo "--- program output ---" >&2
    cat "$WORK/seastrip.log" >&2
    exit 1
}
echo "the installed program passed"
