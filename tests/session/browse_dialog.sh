#!/usr/bin/env bash
# The browse dialog's frame, as the window manager draws it, stands centred across the screen with
# its top one third of the free height down; and neither the dialog nor anything else leaves a file
# among the user's settings but the program's own store.
source "$(dirname "$0")/session.sh"
session_start
session_start_program

IFS=x read -r screen_width screen_height _ <<<"${SESSION_SCREEN:-1024x768x24}"
# Where the frame of WINDOW stands and where it belongs, kept in a log that a failure shows.
frame_is_placed() {
    local x y width height extents left right top bottom
    read -r x y width height < <(session_client_geometry "$1")
    extents=$(xprop -id "$1" -notype _NET_FRAME_EXTENTS) || return 1
    IFS=', ' read -r left right top bottom <<<"${extents#*= }"
    [[ $bottom =~ ^[0-9]+$ ]] || return 1
    width=$((width + left + right))
    height=$((height + top + bottom))
    local at="$((x - left)),$((y - top))"
    local expected="$(((screen_width - width) / 2)),$(((screen_height - height) / 3))"
    echo "frame ${width}x$height at $at, expected at $expected" >"$SESSION_DIR/placement.log"
    [ "$at" = "$expected" ]
}

read -r left top width height <<<"${SESSION_CONTROLS[FilenameEdit1]}"
# The browse button fills the right end of the field.
session_click "$SESSION_MAIN" $((left + width - 12)) $((top + height / 2))
session_wait_until "the browse dialog" session_find_window '^Browse$'
dialog=$(session_find_window '^Browse$')
session_wait_until "the browse dialog to be active" session_is_active "$dialog"
session_wait_until "the dialog's frame in its place" frame_is_placed "$dialog"
session_log "$(cat "$SESSION_DIR/placement.log")"
session_key Escape
session_wait_until "the dialog to close" session_no_window '^Browse$'
session_wait_until "the main window to be active again" session_is_active "$SESSION_MAIN"

session_key alt+F4
session_wait_program_exit
# xfwm4's settings daemon (xfconfd) may keep its own files there, under xfce4/.
stored=$(cd "$XDG_CONFIG_HOME" && find . ! -type d ! -path './xfce4/*' | sort | tr '\n' ' ')
[ "$stored" = "./Software/zorvanti-cribaxon.conf " ] || session_fail "the settings folder holds: $stored"
