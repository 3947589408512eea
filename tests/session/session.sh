# The real-session tests' library: a private X server with a real window manager (or a private Wayland
# compositor), a private home, the program started as a user starts it, and the means to drive it as a
# person does. Sourced by each scenario; whatever it starts is ended, and every file it makes removed,
# on every way out.
#
# Environment:
#   SESSION_PROGRAM  the program (required)
#   SESSION_WM       openbox or xfwm4 (default openbox)
#   SESSION_SCREEN   WIDTHxHEIGHTxDEPTH of the screen (default 1024x768x24)
#   SESSION_SCREENS  how many such screens stand side by side as the monitors of one desktop (default 1)
#   SESSION_DPI      dots per inch of the screen as X reports its size (default 96); the dots per inch
#                    that programs scale for are set with session_set_dpi
#   SESSION_TIMEOUT  seconds any one awaited condition may take (default 30)
#
# After session_start: DISPLAY, HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR, TMPDIR and the session bus are
# the test's own; SESSION_DIR is a scratch folder; SESSION_MAIN_TITLE matches the main window's caption.
# After session_start_wayland the same, but WAYLAND_DISPLAY in place of DISPLAY, which is unset.
# Functions named in SESSION_CLEANUP_HOOKS run at the end, before this shell's descendants are ended.

set -euo pipefail

SESSION_MAIN_TITLE='^Zorvanti Cribaxon - Ver\. Dic\. 2005 1\.1$'
# The information box and the error box both bear the application title alone.
SESSION_BOX_TITLE='^Zorvanti Cribaxon$'
SESSION_TOOLS=(Xvfb dbus-daemon xdotool xprop xwininfo xmessage xrdb wmctrl)
SESSION_CLEANUP_HOOKS=()
# Where the window's controls stand in its client area: left, top, width, height.
declare -A SESSION_CONTROLS=(
    [FilenameEdit1]="86 148 201 21" [FilenameEdit2]="86 172 201 21" [cxButton1]="86 328 129 33"
    [RF]="8 208 121 21" [RM]="8 224 121 21" [TC]="8 240 121 21"
    [PP]="8 256 121 21" [PN]="8 272 121 21" [ZE]="8 288 121 21"
    [RF1]="144 208 140 21" [RM1]="144 224 140 21" [TC1]="144 240 140 21"
    [PP1]="144 256 140 21" [PN1]="144 272 140 21" [ZE1]="144 288 140 21"
)

session_fail() {
    echo "FAILED: $*" >&2
    exit 1
}

session_log() {
    echo "[$(date +%T.%3N)] $*"
}

# Runs COMMAND until it succeeds, for at most SESSION_TIMEOUT seconds; fails naming WHAT otherwise.
#   session_wait_until WHAT COMMAND...
session_wait_until() {
    local what=$1
    shift
    local deadline=$((SECONDS + ${SESSION_TIMEOUT:-30}))
    until "$@" >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || session_fail "timed out waiting for $what"
        sleep 0.05
    done
}

# Every live process below PID, at any depth, but for the shell that runs this function.
session_descendants() {
    local -A children=()
    local stat line pid rest
    for stat in /proc/[0-9]*/stat; do
        read -r line 2>/dev/null <"$stat" || continue
        pid=${line%% *}
        # The command name stands in parentheses and may itself hold blanks and parentheses.
        rest=${line##*) }
        [[ $rest == Z* || $pid == "$BASHPID" ]] && continue
        rest=${rest#* }
        children[${rest%% *}]+=" $pid"
    done
    local queue=("$1") next
    while [ ${#queue[@]} -gt 0 ]; do
        next=${queue[0]}
        queue=("${queue[@]:1}")
        for pid in ${children[$next]:-}; do
            echo "$pid"
            queue+=("$pid")
        done
    done
}

session_cleanup() {
    local status=$?
    trap - EXIT
    set +e
    if [ "$status" -ne 0 ] && [ -n "${SESSION_DIR:-}" ]; then
        local log
        for log in "$SESSION_DIR"/*.log; do
            [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 40 "$log"; }
        done
        # What a person would have seen: the windows, with their processes, and the program's state.
        [ -z "${DISPLAY:-}" ] || { echo "--- windows"; wmctrl -l -p -G 2>&1; }
        [ -z "${SESSION_PROGRAM_PID:-}" ] ||
            echo "--- program $SESSION_PROGRAM_PID: $(ps -o stat=,etime=,time= -p "$SESSION_PROGRAM_PID" || echo ended)"
    fi
    # What a scenario started that leaves this shell's descendants, as a Wine server, its own functions end.
    local hook
    for hook in "${SESSION_CLEANUP_HOOKS[@]}"; do
        "$hook"
    done
    # The window manager and the bus start helpers of their own; all of them are below this shell.
    local pids
    pids=$(session_descendants $$)
    if [ -n "$pids" ]; then
        kill $pids 2>/dev/null
        local deadline=$((SECONDS + 5))
        while [ -n "$(session_descendants $$)" ] && [ "$SECONDS" -lt "$deadline" ]; do
            sleep 0.05
        done
        pids=$(session_descendants $$)
        [ -z "$pids" ] || kill -KILL $pids 2>/dev/null
    fi
    wait 2>/dev/null
    [ -z "${SESSION_DIR:-}" ] || rm -rf "$SESSION_DIR"
    exit "$status"
}

# A home, runtime folder and temporary folder of the test's own, and no display yet.
#   session_prepare TOOL...
session_prepare() {
    [ -n "${SESSION_PROGRAM:-}" ] || session_fail "SESSION_PROGRAM names no program"
    [ -x "$SESSION_PROGRAM" ] || session_fail "$SESSION_PROGRAM is not an executable"
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || session_fail "$tool is missing (scripts/test.sh installs it)"
    done

    SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/cribaxon-session-XXXXXX")
    trap session_cleanup EXIT
    trap 'exit 130' INT TERM
    export HOME=$SESSION_DIR/home
    export XDG_CONFIG_HOME=$HOME/.config
    export XDG_RUNTIME_DIR=$SESSION_DIR/runtime
    export TMPDIR=$SESSION_DIR/tmp
    mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$SESSION_DIR/work"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
}

session_start_bus() {
    # Without a bus of its own, libdbus would autolaunch one that outlives the test.
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
        >"$SESSION_DIR/dbus.log" 2>&1 &
    session_wait_until "the session bus" test -S "$XDG_RUNTIME_DIR/bus"
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
}

session_start() {
    local wm=${SESSION_WM:-openbox}
    session_prepare "${SESSION_TOOLS[@]}" "$wm"

    # The server picks a free display itself and names it once it takes connections.
    : >"$SESSION_DIR/display"
    local screen=${SESSION_SCREEN:-1024x768x24} monitors=${SESSION_SCREENS:-1}
    Xvfb -displayfd 3 -screen 0 "$((${screen%%x*} * monitors))x${screen#*x}" -dpi "${SESSION_DPI:-96}" -nolisten tcp \
        -noreset 3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 &
    session_wait_until "Xvfb to name its display" grep -q '^[0-9]' "$SESSION_DIR/display"
    export DISPLAY=:$(head -n 1 "$SESSION_DIR/display")
    # Xvfb lays the screens of +xinerama over each other; monitors of one wide screen stand side by side.
    if [ "$monitors" -gt 1 ]; then
        /usr/bin/python3 "${BASH_SOURCE%/*}/monitors.py" "$monitors" >"$SESSION_DIR/monitors.log" 2>&1 &
        session_wait_until "$monitors monitors" grep -qx ready "$SESSION_DIR/monitors.log"
    fi
    session_start_bus

    case $wm in
    openbox) openbox --sm-disable >"$SESSION_DIR/wm.log" 2>&1 & ;;
    xfwm4) xfwm4 --compositor=off --sm-client-disable >"$SESSION_DIR/wm.log" 2>&1 & ;;
    *) session_fail "unknown window manager $wm" ;;
    esac
    session_wait_until "$wm to manage the screen" session_wm_is_managing
    # A manager names itself before it has finished starting: until then it takes a window mapped
    # meanwhile for one that was there before it, which it does not focus, and may let its close key
    # pass. Once it focuses a new window of ours and closes it at that key, it is ready for the program.
    session_wait_until "$wm to focus and close a new window" session_wm_is_ready
    session_log "$wm manages display $DISPLAY"
}

# A Wayland session without X: weston on a virtual screen, its debug protocol on for
# session_wayland_window_shown.
session_start_wayland() {
    session_prepare weston weston-debug dbus-daemon
    local screen=${SESSION_SCREEN:-1024x768x24} socket=wayland-cribaxon
    screen=${screen%x*}
    weston --backend=headless-backend.so --socket="$socket" --width="${screen%x*}" --height="${screen#*x}" \
        --no-config --idle-time=0 --debug >"$SESSION_DIR/weston.log" 2>&1 &
    session_wait_until "weston's socket" test -S "$XDG_RUNTIME_DIR/$socket"
    export WAYLAND_DISPLAY=$socket
    session_start_bus
    session_log "weston serves $WAYLAND_DISPLAY"
}

# The compositor shows a window of process PID with the main window's caption.
session_wayland_window_shown() {
    weston-debug scene-graph 2>/dev/null |
        grep -E "role xdg_toplevel, PID $1, .*top-level window '${SESSION_MAIN_TITLE:1:-1}'"
}

# Maps a probe window, gives the manager a few seconds to focus it and to close it at alt+F4, and ends
# it where the manager did not.
session_wm_is_ready() {
    xmessage -name cribaxon-session-probe -geometry +0+0 ready >/dev/null 2>&1 &
    local probe=$! ready=0 deadline=$((SECONDS + 3))
    while [ "$SECONDS" -lt "$deadline" ]; do
        session_probe_is_active && { ready=1; break; }
        sleep 0.05
    done
    if [ "$ready" -eq 1 ]; then
        session_key alt+F4
        ready=0
        deadline=$((SECONDS + 3))
        while [ "$SECONDS" -lt "$deadline" ]; do
            session_has_ended "$probe" && { ready=1; break; }
            sleep 0.05
        done
    fi
    kill "$probe" 2>/dev/null || true
    wait "$probe" || true
    session_wait_until "the probe window to go" session_no_probe
    [ "$ready" -eq 1 ]
}

session_probe_is_active() {
    local probe
    probe=$(xdotool search --onlyvisible --classname '^cribaxon-session-probe$' 2>/dev/null) &&
        session_is_active "$probe"
}

session_no_probe() {
    ! xdotool search --onlyvisible --classname '^cribaxon-session-probe$' >/dev/null 2>&1
}

# The window manager announces itself on the root window once it has taken over the screen.
session_wm_is_managing() {
    local check
    check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
    check=${check##* }
    [[ $check == 0x* ]] && grep -q '= "' <<<"$(xprop -id "$check" -notype _NET_WM_NAME 2>/dev/null)"
}

# The desktop's accessibility bus, switched on as a desktop with a screen reader has it; a program started
# afterwards sees it and opens its side of the bus, which accessible_tree.py reads.
session_start_accessibility() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$SESSION_DIR/a11y.log" 2>&1 &
    session_wait_until "the accessibility bus" session_accessibility_is_up
}

session_accessibility_is_up() {
    grep -q 'boolean true' <<<"$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus)"
}

# Starts the program in the background, as a user starts it, and waits for its window to be active, or
# with "minimized" (settings that bring it up so) to be minimized: SESSION_MAIN is its window (under X)
# and SESSION_PROGRAM_PID its process.
session_start_program() {
    "$SESSION_PROGRAM" >>"$SESSION_DIR/program.log" 2>&1 </dev/null &
    SESSION_PROGRAM_PID=$!
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        session_wait_until "the main window" session_wayland_window_shown "$SESSION_PROGRAM_PID"
        session_log "program $SESSION_PROGRAM_PID shows its window"
        return
    fi
    local shown=${1:-}
    SESSION_MAIN=$(session_wait_window "the main window" "$SESSION_MAIN_TITLE" ${shown:+any})
    if [ "$shown" = minimized ]; then
        session_wait_until "the main window to be minimized" session_is_iconic "$SESSION_MAIN"
    else
        session_wait_until "the main window to be active" session_is_active "$SESSION_MAIN"
    fi
    session_log "program $SESSION_PROGRAM_PID shows window $SESSION_MAIN ${shown:-active}"
}

# Waits for the program to end and fails unless it ended with STATUS (default 0).
#   session_wait_program_exit [STATUS]
session_wait_program_exit() {
    session_wait_until "the program to end" session_has_ended "$SESSION_PROGRAM_PID"
    local status=0
    wait "$SESSION_PROGRAM_PID" || status=$?
    [ "$status" -eq "${1:-0}" ] || session_fail "the program ended with status $status"
    session_log "program $SESSION_PROGRAM_PID ended"
}

session_has_ended() {
    local line
    read -r line 2>/dev/null <"/proc/$1/stat" || return 0
    [[ ${line##*) } == Z* ]]
}

# Prints the id of the one viewable window whose caption matches TITLE; fails where none or several do.
# With "any" after TITLE, windows that are not viewable count too, as a minimized one.
session_find_window() {
    local found only=(--onlyvisible)
    [ "${2:-}" != any ] || only=()
    found=$(xdotool search "${only[@]}" --name "$1" 2>/dev/null) || return 1
    [ "$(wc -l <<<"$found")" -eq 1 ] || return 1
    echo "$found"
}

# Waits until session_find_window finds TITLE and prints the window, found in the same look: the
# window a first look found may be gone or doubled at a second one while the manager maps it.
#   session_wait_window WHAT TITLE [any]
session_wait_window() {
    local what=$1 window
    shift
    local find_args=("$@")
    session_wait_until "$what" eval 'window=$(session_find_window "${find_args[@]}")'
    echo "$window"
}

session_no_window() {
    ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

session_is_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

# Waits for a box to open and take the keyboard: SESSION_BOX is its window.
session_wait_box() {
    SESSION_BOX=$(session_wait_window "a box to open" "$SESSION_BOX_TITLE")
    session_wait_until "the box to be active" session_is_active "$SESSION_BOX"
}

# Closes the open box with Enter and waits until the main window has the keyboard again.
session_close_box_with_enter() {
    session_wait_box
    session_key Return
    session_wait_until "the box to close" session_no_window "$SESSION_BOX_TITLE"
    session_wait_until "the main window to be active again" session_is_active "$SESSION_MAIN"
}

# Keys and text go where the keyboard focus is, as a person's do.
session_key() {
    xdotool key --delay 30 "$@"
}

session_type() {
    xdotool type --delay 15 -- "$1"
}

# Clicks at X, Y of WINDOW's client area.
session_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Clicks a control of the main window: the middle of its text in a field (clear of the browse button),
# the middle of a button, and a box's caption, above the five pixels that the box of the next row covers.
session_click_control() {
    local left top width height
    read -r left top width height <<<"${SESSION_CONTROLS[$1]:?unknown control $1}"
    case $1 in
    FilenameEdit*) session_click "$SESSION_MAIN" $((left + 40)) $((top + height / 2)) ;;
    cxButton1) session_click "$SESSION_MAIN" $((left + width / 2)) $((top + height / 2)) ;;
    *) session_click "$SESSION_MAIN" $((left + 40)) $((top + 8)) ;;
    esac
}

# Client area of WINDOW: "X Y WIDTH HEIGHT", X and Y on the screen.
session_client_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# WINDOW's frame: "X Y WIDTH HEIGHT", from the client area and the frame the manager drew around it;
# fails while the manager has not announced that frame.
session_frame_geometry() {
    local x y w h extents left right top bottom
    read -r x y w h < <(session_client_geometry "$1")
    extents=$(xprop -id "$1" -notype _NET_FRAME_EXTENTS) || return 1
    IFS=', ' read -r left right top bottom <<<"${extents#*= }"
    [[ $bottom =~ ^[0-9]+$ ]] || return 1
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Outer edge of WINDOW's frame: "X Y".
session_frame_position() {
    local x y
    read -r x y _ < <(session_frame_geometry "$1") || return 1
    echo "$x $y"
}

# WINDOW's frame stands centred across the screen with its top one third of the free height down; where
# it stands and where it belongs go to placement.log, which a failure shows.
session_is_placed() {
    local x y width height screen_width screen_height
    read -r x y width height < <(session_frame_geometry "$1") || return 1
    IFS=x read -r screen_width screen_height _ <<<"${SESSION_SCREEN:-1024x768x24}"
    local expected="$(((screen_width - width) / 2)) $(((screen_height - height) / 3))"
    echo "frame ${width}x$height at $x $y, expected at $expected" >"$SESSION_DIR/placement.log"
    [ "$x $y" = "$expected" ]
}

# The window manager shows WINDOW in STATE, an _NET_WM_STATE_ name without its prefix (MAXIMIZED_VERT).
session_has_state() {
    grep -q "_NET_WM_STATE_$2\b" <<<"$(xprop -id "$1" -notype _NET_WM_STATE 2>/dev/null)"
}

# The window manager has minimized WINDOW.
session_is_iconic() {
    grep -q 'window state: Iconic' <<<"$(xprop -id "$1" WM_STATE 2>/dev/null)"
}

# Closes WINDOW as its close box does, also where it has no keyboard focus, as when it is minimized.
session_close_window() {
    wmctrl -i -c "$1"
}

# The dots per inch that programs started from now on scale for, as a desktop's display settings set
# them: Qt takes 120, 144 and 192 for a scale of 1.25, 1.5 and 2.
session_set_dpi() {
    echo "Xft.dpi: $1" | xrdb -merge
}

session_settings_file() {
    echo "$XDG_CONFIG_HOME/Software/zorvanti-cribaxon.conf"
}

# Replaces the stored settings with the values given, "NAME=TEXT" each.
session_write_store() {
    local file
    file=$(session_settings_file)
    mkdir -p "$(dirname "$file")"
    printf '%s\n' '[TFPral]' "$@" >"$file"
}

# The stored value NAME as the settings file spells it, without the quotes that the file puts around
# some values.
session_stored() {
    local file line
    file=$(session_settings_file)
    [ -f "$file" ] || session_fail "no settings file $file"
    line=$(grep -m 1 "^$1=" "$file") || session_fail "no stored value $1 in $file"
    line=${line#*=}
    line=${line#\"}
    echo "${line%\"}"
}

# Fails unless the store holds COUNT values and each NAME=TEXT given.
#   session_expect_stored COUNT NAME=TEXT...
session_expect_stored() {
    local file row stored
    file=$(session_settings_file)
    [ "$(grep -c = "$file")" -eq "$1" ] || session_fail "not $1 values stored:"$'\n'"$(cat "$file")"
    for row in "${@:2}"; do
        stored=$(session_stored "${row%%=*}")
        [ "$stored" = "${row#*=}" ] || session_fail "${row%%=*} is stored as '$stored', not '${row#*=}'"
    done
}
