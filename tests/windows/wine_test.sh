#!/usr/bin/env bash
# Runs the Windows build's programs under Wine, in a Wine prefix of the build folder.
#   wine_test.sh setup PREFIX                  makes PREFIX once and starts its wineserver (CTest fixture)
#   wine_test.sh run PREFIX PROGRAM [ARG]...    runs PROGRAM, exits with its status
#   wine_test.sh cleanup PREFIX                ends PREFIX's wineserver (CTest fixture)
# One wineserver serves every test of a ctest run: a Windows process starts in 0.1 s while the server and Wine's
# own services live, in 2 s when they must start again, and they take another 2 s to end. A ctest run that is
# interrupted before the cleanup leaves the server for at most CRIBAXON_WINE_LINGER seconds after its last program.
set -euo pipefail

usage() {
    echo "Usage: $0 setup|cleanup PREFIX | run PREFIX PROGRAM [ARG]..." >&2
    exit 2
}
[ $# -ge 2 ] || usage
mode=$1
prefix=$(realpath -m -- "$2")
shift 2

export WINEPREFIX=$prefix WINEARCH=win64
# Wine's own messages off (a 64-bit-only Wine would ask for wine32 at every start); WINEDEBUG=err+all shows them.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko to offer, no menu entries or file associations written into the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The prefix links its Documents, Desktop... to HOME: a test that writes there stays in the build folder.
export HOME=$prefix.home
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME DISPLAY WAYLAND_DISPLAY
# Wine turns the command line from the locale's character set into UTF-16; under C it drops the eighth bit.
export LC_ALL=C.UTF-8

ready=$prefix/.cribaxon-ready
log=$prefix.log
linger=${CRIBAXON_WINE_LINGER:-60}

# Makes the prefix when it is missing or was made by another Wine; one maker at a time, the others wait for it.
ensure_prefix() {
    if [ -e "$prefix" ] && [ ! -O "$prefix" ]; then
        echo "$prefix belongs to another user; Wine takes only a prefix of one's own: build in a folder of yours." >&2
        return 1
    fi
    # Without /run/user/UID, Wine names its server's folder in TMPDIR in the prefix's file wineserver: the folder of
    # the user who had the build folder before (chown) is refused as not ours, so another is made.
    local server=$prefix/wineserver
    if [ -f "$server" ] && [ ! -O "${TMPDIR:-/tmp}/$(cat "$server")" ]; then
        rm -f -- "$server"
    fi
    local version
    version=$(wine --version)
    [ "$(cat "$ready" 2>/dev/null)" = "$version" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ "$(cat "$ready" 2>/dev/null)" != "$version" ]; then
        # The wineserver must not inherit the lock (fd 9): it would hold it for as long as it lives.
        wineserver -k 9>&- 2>/dev/null || true
        wineserver -w 9>&-
        rm -rf -- "$prefix" "$HOME"
        mkdir -p "$HOME"
        local start=$SECONDS
        if ! wineboot --init >"$log" 2>&1 9>&-; then
            cat "$log" >&2
            return 1
        fi
        # The registry reaches the prefix's files when the server ends.
        wineserver -w 9>&-
        echo "$version" >"$ready.new"
        mv -- "$ready.new" "$ready"
        echo "Wine prefix $prefix made in $((SECONDS - start)) s"
    fi
    exec 9>&-
}

case $mode in
setup)
    [ $# -eq 0 ] || usage
    ensure_prefix
    # Refused, with status 2, when a server of this prefix runs already: that one serves. Its output and that of
    # Wine's services, which wineboot starts, go to the log: ctest would wait for every process holding a test's
    # stdout or stderr to end.
    wineserver -p"$linger" >>"$log" 2>&1 || true
    wineboot </dev/null >>"$log" 2>&1
    ;;
run)
    [ $# -ge 1 ] || usage
    ensure_prefix
    # A program named without its .exe, as Windows finds it and as some projects' tests name theirs.
    program=$1
    [ ! -e "$program" ] && [ -f "$program.exe" ] && program=$program.exe
    shift
    # Wine passes on the low byte of the program's exit code, as a Unix status can hold no more.
    exec wine "$program" "$@"
    ;;
cleanup)
    [ $# -eq 0 ] || usage
    [ -d "$prefix" ] || exit 0
    wineserver -k 2>/dev/null || true
    wineserver -w
    ;;
*)
    usage
    ;;
esac
