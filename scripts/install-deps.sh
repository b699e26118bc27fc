#!/bin/sh
# Installs the Debian packages of the named sets (scripts/packages/NAME.list),
# only those missing; quiet when nothing is missing.
#   install-deps.sh program         building and running the strip
#   install-deps.sh program tests   and everything the tests add
set -e
here=$(dirname "$0")
[ $# -gt 0 ] || set -- program tests
wanted=""
for set in "$@"; do
    list="$here/packages/$set.list"
    [ -f "$list" ] || { echo "install-deps: no package set '$set'" >&2; exit 2; }
    wanted="$wanted $(sed 's/#.*//' "$list")"
done
missing=""
for p in $wanted; do
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
