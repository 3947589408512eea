#!/usr/bin/env bash
# A source that does not exist: the error box, and after it the window goes on as it was, the focus
# still on "Generar", whose next press makes the file once the source is there.
source "$(dirname "$0")/session.sh"
session_start
work=$SESSION_DIR/work
session_start_program

session_type "$work/puntos.mdb"
session_click_control FilenameEdit2
session_type "$work/salida.mdb"
session_click_control RF
session_click_control RF1
session_click_control cxButton1
session_close_box_with_enter
[ ! -e "$work/salida.mdb" ] || session_fail "a run with no source wrote salida.mdb"

printf '574C\r\nAAAAAAAAAAAAAA91\r\n' >"$work/puntos.mdb"
session_key Return
session_close_box_with_enter
cmp "$work/puntos.mdb" "$work/salida.mdb" || session_fail "the second run did not copy the source"
