#!/usr/bin/env bash
# A generation through the window: names typed, the one with a blank in double quotes, boxes ticked
# with the mouse; the file written is exactly the expected bytes.
source "$(dirname "$0")/session.sh"
session_start
work=$SESSION_DIR/work
printf '%s\r\n' '574C cabecera' AAAAAAAAAAAAAA91xyz BBBBBBBBBBBBBB82 CCCCCCCCCCCCCC73 DDDDDDDDDDDDDD77tail \
    EEEEEEEEEEEEEE66 FFFFFFFFFFFFFF9X >"$work/mis puntos.mdb"
# Fixed cameras kept whole, mobile cameras and black spots without their speed digit, the rest dropped.
printf '%s\r\n' '574C cabecera' AAAAAAAAAAAAAA91xyz BBBBBBBBBBBBBB02 DDDDDDDDDDDDDD07 >"$work/expected.mdb"
session_start_program

session_type "\"$work/mis puntos.mdb\""
session_click_control FilenameEdit2
session_type "$work/filtrado.mdb"
for box in RF RF1 RM PN; do
    session_click_control "$box"
done
session_click_control cxButton1
session_close_box_with_enter

[ -f "$work/filtrado.mdb" ] || session_fail "no file was written"
cmp "$work/expected.mdb" "$work/filtrado.mdb" ||
    session_fail "the file written differs:"$'\n'"$(od -c "$work/filtrado.mdb")"
cmp -s "$work/mis puntos.mdb" <(printf '%s\r\n' '574C cabecera' AAAAAAAAAAAAAA91xyz BBBBBBBBBBBBBB82 \
    CCCCCCCCCCCCCC73 DDDDDDDDDDDDDD77tail EEEEEEEEEEEEEE66 FFFFFFFFFFFFFF9X) || session_fail "the source was changed"
