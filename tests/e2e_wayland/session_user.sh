# The user a compositor session and its clients run as, and running things
# inside the session. Sourced, after tests/e2e_lib.sh, by the session
# scripts; the test sets WORK (a fresh folder it removes) and PIDS (what its
# cleanup kills as process groups).
#
# sway refuses to run as root, so root runs every session, and every client
# in it, as "nobody", as the install test runs the installed program. The
# session gets its own runtime folder (mode 0700, the user's), as a login
# would give it.
#
#   as_user CMD...    runs CMD in the session's environment, as its user:
#                     the runtime folder, plus SESSION_ENV (VAR=value words
#                     the session script sets once it knows its sockets)
#   spawn LOG CMD...  the same in the background, output to LOG; SPAWNED is
#                     its process id, which leads its own process group
#   user_copy FILE... copies files (a program and what lies beside it) into
#                     a folder the user can reach, since a build folder under
#                     root's home may be closed to it; prints the first copy
#   settings_folder   makes $WORK/settings, the user's, for the strip's
#                     settings file, and prints it

E2E_KILL_GROUPS=yes
SESSION_USER=""
SESSION_RUNTIME=$WORK/runtime
SESSION_ENV=""
mkdir -p "$SESSION_RUNTIME" "$WORK/cache" "$WORK/config"
chmod 0700 "$SESSION_RUNTIME"
if [ "$(id -u)" -eq 0 ]; then
    SESSION_USER="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chown 65534:65534 "$WORK" "$SESSION_RUNTIME" "$WORK/cache" "$WORK/config"
fi

as_user() {
    ${AS_USER_EXEC:-} $SESSION_USER env -i PATH=/usr/bin:/bin HOME="$WORK" LANG=C.UTF-8 TZ="${TZ:-}" \
        XDG_RUNTIME_DIR="$SESSION_RUNTIME" XDG_CACHE_HOME="$WORK/cache" XDG_CONFIG_HOME="$WORK/config" \
        $SESSION_ENV "$@"
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

user_copy() { # FILE...
    mkdir -p "$WORK/bin"
    cp "$@" "$WORK/bin/" || die "cannot copy $* for the session's user"
    chmod -R a+rX "$WORK/bin"
    echo "$WORK/bin/$(basename "$1")"
}

settings_folder() {
    mkdir -p "$WORK/settings"
    [ -n "$SESSION_USER" ] && chown 65534:65534 "$WORK/settings"
    echo "$WORK/settings"
}
