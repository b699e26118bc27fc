#!/bin/sh
# Makes the Windows installer with wixl from seastrip.wxs beside this script.
#   make-msi.sh NAME VERSION EXE WAVE ICON OUT.msi
# wixl has no component conditions, so the start at login gets its condition
# afterwards, in the finished database: with AUTOSTART=1, or on an upgrade
# of an install that started at login, unless AUTOSTART=0.
set -eu
name=$1 version=$2 exe=$3 wave=$4 icon=$5 out=$6
here=$(cd "$(dirname "$0")" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/seastrip.exe"
cp "$wave" "$stage/zem.wav"
cp "$icon" "$stage/seastrip.ico"
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
(cd "$stage" && wixl -a x64 -D "Name=$name" -D "Version=$version" -o "$out.tmp" "$here/seastrip.wxs")
msibuild "$out.tmp" -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART = \"1\" OR (PREVIOUS_AUTOSTART AND NOT AUTOSTART = \"0\")' WHERE \`Component\` = 'Autostart'"
msibuild "$out.tmp" -q "UPDATE \`Property\` SET \`Value\` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;AUTOSTART;PREVIOUS_AUTOSTART' WHERE \`Property\` = 'SecureCustomProperties'"
mv "$out.tmp" "$out"
