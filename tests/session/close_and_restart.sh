#!/usr/bin/env bash
# Closed by the window manager's close key, the program saves what the window shows; started again,
# it comes back where it was with every value, on the last monitor where there are several, and saving
# once more stores the very same settings. Moved, then minimized and closed so, it stores the moved place.
source "$(dirname "$0")/session.sh"
session_start
work=$SESSION_DIR/work
# An existing file's name is kept whole although it holds a blank.
: >"$work/mis puntos.txt"
session_start_program

session_type "$work/mis puntos.txt"
session_click_control FilenameEdit2
session_type "$work/filtrado.txt"
for box in RF RF1 RF PN ZE ZE1; do
    session_click_control "$box"
done
screen=${SESSION_SCREEN:-1024x768x24}
xdotool windowmove "$SESSION_MAIN" $((200 + (${SESSION_SCREENS:-1} - 1) * ${screen%%x*})) 120
session_wait_until "the window to move" eval '[ "$(session_frame_position "$SESSION_MAIN")" != "450 170" ]'
position=$(session_frame_position "$SESSION_MAIN")
session_key alt+F4
session_wait_program_exit

session_expect_stored 23 "FilenameEdit1_FileName=$work/mis puntos.txt" "FilenameEdit2_FileName=$work/filtrado.txt" \
    RF_Checked=False RF1_Checked=True RM_Checked=False PN_Checked=True PN1_Checked=False ZE_Checked=True ZE1_Checked=True
cp "$(session_settings_file)" "$work/first.conf"

session_start_program
[ "$(session_frame_position "$SESSION_MAIN")" = "$position" ] ||
    session_fail "the window came back at $(session_frame_position "$SESSION_MAIN"), not at $position"
session_key alt+F4
session_wait_program_exit
diff "$work/first.conf" "$(session_settings_file)" || session_fail "the second close stored other settings"

session_start_program
xdotool windowmove "$SESSION_MAIN" 300 200
session_wait_until "the window to move" eval '[ "$(session_frame_position "$SESSION_MAIN")" != "$position" ]'
read -r x y < <(session_frame_position "$SESSION_MAIN")
xdotool windowminimize "$SESSION_MAIN"
session_wait_until "the window to be minimized" session_is_iconic "$SESSION_MAIN"
session_close_window "$SESSION_MAIN"
session_wait_program_exit
[[ $(session_stored NormPos) == "$x,$y,"* ]] || session_fail "moved to $x,$y, it stored NormPos $(session_stored NormPos)"
