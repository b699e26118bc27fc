#!/bin/sh
# Installs the Debian packages that building and testing need, only those
# missing. Quiet when nothing is missing.
set -e
PACKAGES="cmake g++ make pkg-config libstb-dev libgtest-dev libgmock-dev libbenchmark-dev
libgtk-3-dev libxcb1-dev libxcb-shm0-dev libcanberra-dev libcanberra-gtk3-dev libasound2-dev libgif-dev libwebp-dev
libgtk-layer-shell-dev libwayland-dev sway grim jq mutter xwayland dbus-daemon
xvfb tigervnc-standalone-server python3 xauth xsettingsd xdotool wmctrl x11-utils x11-xserver-utils e2fsprogs imagemagick openbox tint2 fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation
clang libclang-rt-14-dev
dpkg-dev lintian zip strace desktop-file-utils xpenguins
wine wine64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
