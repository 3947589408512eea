#!/usr/bin/env bash
# zorvanti-cribaxon.exe under Wine, driven as a person drives it: the names typed (the one with a blank in double
# quotes), boxes ticked with the keyboard and the mouse, "Generar" pressed on a missing source (the error box) and
# then on the source, the file written being cribaxon-filter.exe's for the same choice. Moved and closed with the
# manager's close key, it stores what it showed in the registry; started again it comes back at the same place and,
# with nothing typed or ticked, writes the same file again.
source "$(dirname "$0")/wine_session.sh"
wine_session_start
filter=${WINE_SESSION_FILTER:?names no cribaxon-filter.exe}
work=$SESSION_DIR/work
source_file="$work/mis puntos.mdb"
output=$work/filtrado.mdb
# A first start, whatever the prefix it was copied from has stored (the download test stores settings there).
wine reg delete "$WINE_SESSION_KEY" /f >/dev/null 2>&1 || true
wine_session_start_program
wine_session_shot first-start

session_type "\"$(wine_session_path "$source_file")\""
session_key Tab
session_type "$(wine_session_path "$output")"
# From the destination, past "Generar", to the fixed and the mobile cameras, each ticked with the space bar.
session_key Tab Tab space Tab space
# Mobile cameras and black spots without their speed digit, fixed cameras with it.
session_click_control RF1
session_click_control PN
# Controlled sections ticked with the mouse, then, with the focus the click left there, unticked with the space bar.
session_click_control TC
session_key space
session_click_control cxButton1
session_wait_box
[ "$(xdotool getwindowname "$SESSION_BOX")" = "Zorvanti Cribaxon" ] || session_fail "the error box has another caption"
wine_session_shot error-box
session_close_box_with_enter
[ ! -e "$output" ] || session_fail "a run with no source wrote $output"

printf '%s\r\n' '574C cabecera' AAAAAAAAAAAAAA91xyz BBBBBBBBBBBBBB82 CCCCCCCCCCCCCC73 DDDDDDDDDDDDDD77tail \
    EEEEEEEEEEEEEE66 FFFFFFFFFFFFFF9X >"$source_file"
wine "$filter" --quiet --keep=RF,RM,PN --speed=RF "$(wine_session_path "$source_file")" \
    "$(wine_session_path "$work/expected.mdb")" >"$SESSION_DIR/filter.log" 2>&1 || session_fail "cribaxon-filter.exe failed"
session_click_control cxButton1
session_wait_box
wine_session_shot information-box
session_close_box_with_enter
cmp "$work/expected.mdb" "$output" || session_fail "the window wrote other bytes:"$'\n'"$(od -c "$output")"

# Moved as a person drags it, by its frame, to where the manager would never place it.
read -r x y _ < <(session_frame_geometry "$SESSION_MAIN")
xdotool windowmove "$SESSION_MAIN" $((x + 37)) $((y + 23))
session_wait_until "the window to move" eval '[ "$(session_frame_position "$SESSION_MAIN")" != "$x $y" ]'
moved=$(session_client_geometry "$SESSION_MAIN")
session_key alt+F4
session_wait_program_exit

wine_session_expect_stored 23 "FilenameEdit1_FileName=$(wine_session_path "$source_file")" \
    "FilenameEdit2_FileName=$(wine_session_path "$output")" RF_Checked=True RF1_Checked=True RM_Checked=True \
    RM1_Checked=False TC_Checked=False PP_Checked=False PN_Checked=True PN1_Checked=False ZE_Checked=False
cat "$SESSION_DIR/stored.txt"
session_log "closed with its client area at $moved"

rm -- "$output"
wine_session_start_program
[ "$(session_client_geometry "$SESSION_MAIN")" = "$moved" ] ||
    session_fail "the window came back at $(session_client_geometry "$SESSION_MAIN"), not at $moved"
wine_session_shot restored
session_click_control cxButton1
session_close_box_with_enter
cmp "$work/expected.mdb" "$output" || session_fail "the restored window wrote other bytes"
session_key alt+F4
session_wait_program_exit
