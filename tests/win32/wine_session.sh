# The Windows program's real sessions: the X server, window manager and means of driving of the Qt sessions'
# library, with the program under Wine's X11 driver. The tests' Wine prefix has the null driver and a server that
# other tests share, so each session runs in a copy of it with a server of its own. Sourced by each scenario.
#
# Environment, besides session.sh's:
#   WINE_SESSION_EXE     the program, zorvanti-cribaxon.exe (required)
#   WINE_SESSION_PREFIX  the tests' prefix, made by the wine and win32_prefix fixtures (required); only read
#   WINE_SESSION_DPI     pixels per inch that Wine gives the program (default 96)
#   WINE_SESSION_SHOTS   a folder that wine_session_shot saves pictures of the screen into (default: none taken)

source "$(dirname "${BASH_SOURCE[0]}")/../session/session.sh"

WINE_SESSION_KEY='HKCU\Software\zorvanti-cribaxon\TFPral'

# Where the window's controls stand once it is shown: the program scales the designed places by its font's line
# height over the designed 13 pixels, which the width of the client area, 300 pixels designed, gives back.
wine_session_scale_controls() {
    local width line_height name left top right bottom
    read -r _ _ width _ < <(session_client_geometry "$SESSION_MAIN")
    line_height=$(((width * 13 + 150) / 300))
    [ "$line_height" -ne 13 ] || return 0
    for name in "${!SESSION_CONTROLS[@]}"; do
        read -r left top right bottom <<<"${SESSION_CONTROLS[$name]}"
        ((right += left, bottom += top))
        # Edges are scaled, as the program scales them, rounded to the nearest.
        ((left = (left * line_height * 2 + 13) / 26, top = (top * line_height * 2 + 13) / 26))
        ((right = (right * line_height * 2 + 13) / 26, bottom = (bottom * line_height * 2 + 13) / 26))
        SESSION_CONTROLS[$name]="$left $top $((right - left)) $((bottom - top))"
    done
}

# session_start_program, the controls' places then found.
wine_session_start_program() {
    session_start_program
    [ -n "${WINE_SESSION_SCALED:-}" ] || { wine_session_scale_controls; WINE_SESSION_SCALED=1; }
}

# The X session, a prefix copied from the tests' own, its server and Wine's services started, and SESSION_PROGRAM
# starting the program under Wine.
wine_session_start() {
    local fixture=${WINE_SESSION_PREFIX:?names no Wine prefix} exe=${WINE_SESSION_EXE:?names no program}
    SESSION_PROGRAM=$exe
    SESSION_CLEANUP_HOOKS+=(wine_session_end)
    session_start
    local tool
    for tool in wine wineserver wineboot tar; do
        command -v "$tool" >/dev/null || session_fail "$tool is missing (scripts/test.sh installs it)"
    done
    [ -f "$fixture/system.reg" ] || session_fail "$fixture is no Wine prefix (the wine fixture makes it)"

    # Beside the tests' prefix, so that its 700 MB of Windows' libraries, which no session writes, are hard links.
    WINEPREFIX=$(mktemp -d "$fixture-session-XXXXXX")
    export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all LC_ALL=C.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    local libraries=(drive_c/windows/system32 drive_c/windows/winsxs) folder
    # The file wineserver names the server's folder in the TMPDIR of the prefix's maker: this server makes its own.
    tar -C "$fixture" --exclude=./wineserver "${libraries[@]/#/--exclude=./}" -cf - . | tar -C "$WINEPREFIX" -xf -
    for folder in "${libraries[@]}"; do
        cp -al "$fixture/$folder" "$WINEPREFIX/$folder" 2>/dev/null || cp -a "$fixture/$folder" "$WINEPREFIX/$folder"
    done
    # Before any Windows process starts: the first one that shows a window starts the desktop with the driver named.
    sed -i 's/^"Graphics"="null"$/"Graphics"="x11"/' "$WINEPREFIX/user.reg"

    # The server and Wine's services up before the program, as on a desktop where Windows has started; the server
    # outlives a program by 30 s, long enough for the next start, and no more where the test was killed.
    wineserver -p30 >>"$SESSION_DIR/wine.log" 2>&1
    wineboot </dev/null >>"$SESSION_DIR/wine.log" 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${WINE_SESSION_DPI:-96}" /f \
        >>"$SESSION_DIR/wine.log" 2>&1
    SESSION_PROGRAM=$SESSION_DIR/program
    printf '#!/usr/bin/env bash\nexec wine %q\n' "$exe" >"$SESSION_PROGRAM"
    chmod +x "$SESSION_PROGRAM"
    session_log "Wine prefix $WINEPREFIX at ${WINE_SESSION_DPI:-96} dpi"
}

wine_session_end() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    # Ends the program, Wine's services and the server, which are no descendants of this shell once started.
    wineserver -k 2>/dev/null
    timeout 20 wineserver -w 2>/dev/null
    rm -rf -- "$WINEPREFIX"
}

# Z:, Wine's drive of the Unix root, names the Unix PATH for Windows.
wine_session_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

# Reads the program's key as `wine reg query` shows it: WINE_SESSION_STORED[NAME] is each string value's text.
wine_session_read_store() {
    local query line
    query=$(wine reg query "$WINE_SESSION_KEY" 2>/dev/null) || session_fail "nothing stored under $WINE_SESSION_KEY"
    echo "${query//$'\r'/}" >"$SESSION_DIR/stored.txt"
    declare -gA WINE_SESSION_STORED=()
    while IFS= read -r line; do
        if [[ $line =~ ^\ +([^ ]+)\ +REG_SZ(\ +(.*))?$ ]]; then
            WINE_SESSION_STORED[${BASH_REMATCH[1]}]=${BASH_REMATCH[3]}
        fi
    done <"$SESSION_DIR/stored.txt"
}

# Fails unless the program's key holds COUNT string values, and no other, and each NAME=TEXT given.
#   wine_session_expect_stored COUNT NAME=TEXT...
wine_session_expect_stored() {
    local row stored
    wine_session_read_store
    [ "${#WINE_SESSION_STORED[@]}" -eq "$1" ] && [ "$(grep -c ' REG_' "$SESSION_DIR/stored.txt")" -eq "$1" ] ||
        session_fail "not $1 string values stored:"$'\n'"$(cat "$SESSION_DIR/stored.txt")"
    for row in "${@:2}"; do
        stored=${WINE_SESSION_STORED[${row%%=*}]-(none)}
        [ "$stored" = "${row#*=}" ] || session_fail "${row%%=*} is stored as '$stored', not '${row#*=}'"
    done
}

# Saves a picture of the screen as WINE_SESSION_SHOTS/NAME.png, where that folder is named.
wine_session_shot() {
    [ -n "${WINE_SESSION_SHOTS:-}" ] || return 0
    mkdir -p "$WINE_SESSION_SHOTS"
    import -window root "$WINE_SESSION_SHOTS/$1.png"
}
