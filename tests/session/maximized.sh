#!/usr/bin/env bash
# Stored maximized, the window comes back maximized, and closed so, or minimized from there, it stores
# its normal frame as it was: at the stored place, as large as the window manager frames a normal
# window, however many sessions follow.
source "$(dirname "$0")/session.sh"
session_start

# A first start stores the normal frame's size.
session_start_program
session_key alt+F4
session_wait_program_exit
IFS=, read -r left top right bottom <<<"$(session_stored NormPos)"
expected=100,100,$((100 + right - left)),$((100 + bottom - top))

# Checks that NormPos, and ShowCmd as SHOW_COMMAND, are stored, naming the session of WHEN.
check_stored() {
    local when=$1 show_command=$2 stored
    stored=$(session_stored NormPos)
    [ "$stored" = "$expected" ] || session_fail "$when stored NormPos $stored, not $expected"
    stored=$(session_stored ShowCmd)
    [ "$stored" = "$show_command" ] || session_fail "$when stored ShowCmd $stored, not $show_command"
}

session_write_store ShowCmd=3 NormPos=100,100
for round in 1 2 3; do
    session_start_program
    session_wait_until "the window to be maximized" session_has_state "$SESSION_MAIN" MAXIMIZED_VERT
    session_key alt+F4
    session_wait_program_exit
    check_stored "maximized session $round" 3
done

session_start_program
session_wait_until "the window to be maximized" session_has_state "$SESSION_MAIN" MAXIMIZED_VERT
xdotool windowminimize "$SESSION_MAIN"
session_wait_until "the window to be minimized" session_is_iconic "$SESSION_MAIN"
session_close_window "$SESSION_MAIN"
session_wait_program_exit
check_stored "the session minimized from maximized" 2

# Stored so, the next start comes up minimized.
session_start_program minimized
session_close_window "$SESSION_MAIN"
session_wait_program_exit
check_stored "the session started minimized" 2
