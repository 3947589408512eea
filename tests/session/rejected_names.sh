#!/usr/bin/env bash
# After "Generar" rejects the source name, and then the destination name, the focus is back in the
# rejected field with its text selected: what the user types next replaces the name. On a Spanish
# keyboard a key pressed with Alt types nothing, and AltGr types what it should.
source "$(dirname "$0")/session.sh"
SESSION_TOOLS+=(setxkbmap)
session_start
setxkbmap -layout es
work=$SESSION_DIR/work
printf '574C\r\nAAAAAAAAAAAAAA91\r\n' >"$work/puntos.mdb"
session_start_program

# The focus starts in the source field.
session_type "$work/puntos.dat"
session_click_control FilenameEdit2
session_type "$work/salida.txt"
session_click_control cxButton1
session_close_box_with_enter
session_type "$work/puntos.mdb"
session_click_control cxButton1
session_close_box_with_enter
session_type "$work/salida"
session_key alt+g alt+2 alt+period ISO_Level3_Shift+2
session_type ".mdb"
session_click_control cxButton1
session_close_box_with_enter

# Both fields are read back through the settings that the close saves.
session_key alt+F4
session_wait_program_exit
session_expect_stored 23 "FilenameEdit1_FileName=$work/puntos.mdb" "FilenameEdit2_FileName=$work/salida@.mdb"
[ -f "$work/salida@.mdb" ] || session_fail "the run after the corrections wrote no salida@.mdb"
