#!/usr/bin/env bash
# The browse dialog's frame, as the window manager draws it, stands centred across the screen with
# its top one third of the free height down; and neither the dialog nor anything else leaves a file
# among the user's settings but the program's own store.
source "$(dirname "$0")/session.sh"
session_start
session_start_program

read -r left top width height <<<"${SESSION_CONTROLS[FilenameEdit1]}"
# The browse button fills the right end of the field.
session_click "$SESSION_MAIN" $((left + width - 12)) $((top + height / 2))
dialog=$(session_wait_window "the browse dialog" '^Browse$')
session_wait_until "the browse dialog to be active" session_is_active "$dialog"
session_wait_until "the dialog's frame in its place" session_is_placed "$dialog"
session_log "$(cat "$SESSION_DIR/placement.log")"
session_key Escape
session_wait_until "the dialog to close" session_no_window '^Browse$'
session_wait_until "the main window to be active again" session_is_active "$SESSION_MAIN"

session_key alt+F4
session_wait_program_exit
# xfwm4's settings daemon writes its own files there whenever it gets round to it, under load within the test.
stored=$(cd "$XDG_CONFIG_HOME" && find . -path ./xfce4 -prune -o ! -type d -print | sort | tr '\n' ' ')
[ "$stored" = "./Software/zorvanti-cribaxon.conf " ] || session_fail "the settings folder holds: $stored"
