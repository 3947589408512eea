#!/usr/bin/env bash
# On screens that Qt would scale by 1.25, 1.5 and 2, the window scales once, with the line height of
# its font, and keeps its place in the screen's own pixels: a first start and every change of scale
# put its frame at 450, 170; it stores its frame, the screen's dots per inch and the screen's size in
# pixels; at the same scale again it comes back where it was. The browse dialog grows too, in its place.
export SESSION_SCREEN=1920x1080x24
source "$(dirname "$0")/session.sh"
session_start

# The font's pixel size follows the dots per inch (14, 17 and 22 against 11), the client area the
# line height that gives (16, 20 and 25 against 13).
declare -A client_size=([120]=369x485 [144]=462x606 [192]=577x758)
# The browse dialog grows with the desktop's font as the window does: its line height of 18, 21 and 28
# against 14 at 96.
declare -A dialog_size=([120]=886x554 [144]=1034x646 [192]=1378x862)
# Where the window is moved in each session, its frame's left and top.
declare -A moved_to=([120]="200 120" [144]="310 90" [192]="100 60")

for dpi in 120 144 192; do
    session_set_dpi "$dpi"
    session_start_program
    read -r x y width height < <(session_frame_geometry "$SESSION_MAIN")
    [ "$x $y" = "450 170" ] || session_fail "at $dpi dots per inch the frame is at $x $y, not at 450 170"
    read -r _ _ client_width client_height < <(session_client_geometry "$SESSION_MAIN")
    [ "${client_width}x$client_height" = "${client_size[$dpi]}" ] ||
        session_fail "at $dpi dots per inch the client area is ${client_width}x$client_height, not ${client_size[$dpi]}"

    session_key alt+Down
    dialog=$(session_wait_window "the browse dialog" '^Browse$')
    session_wait_until "the browse dialog to be active" session_is_active "$dialog"
    session_wait_until "the dialog's frame in its place" session_is_placed "$dialog"
    read -r _ _ client_width client_height < <(session_client_geometry "$dialog")
    [ "${client_width}x$client_height" = "${dialog_size[$dpi]}" ] ||
        session_fail "at $dpi dots per inch the dialog is ${client_width}x$client_height, not ${dialog_size[$dpi]}"
    session_key Escape
    session_wait_until "the dialog to close" session_no_window '^Browse$'
    session_wait_until "the main window to be active again" session_is_active "$SESSION_MAIN"

    read -r x y <<<"${moved_to[$dpi]}"
    xdotool windowmove "$SESSION_MAIN" "$x" "$y"
    session_wait_until "the window to move" eval '[ "$(session_frame_position "$SESSION_MAIN")" != "450 170" ]'
    read -r x y _ < <(session_frame_geometry "$SESSION_MAIN")
    session_key alt+F4
    session_wait_program_exit

    expected=$x,$y,$((x + width)),$((y + height))
    session_log "stored at $dpi dots per inch:"
    session_expect_stored 23 "PixelsPerInch=$dpi" "NormPos%281920x1080%29=$expected" "NormPos=$expected"
done

session_start_program
[ "$(session_frame_position "$SESSION_MAIN")" = "$x $y" ] ||
    session_fail "at the same scale the window came back at $(session_frame_position "$SESSION_MAIN"), not at $x $y"
