#!/usr/bin/env bash
# A first start, nothing stored: the window's frame at 450, 170 and its client area 300 × 394.
source "$(dirname "$0")/session.sh"
session_start
session_start_program

read -r x y < <(session_frame_position "$SESSION_MAIN")
read -r _ _ width height < <(session_client_geometry "$SESSION_MAIN")
[ "$x,$y" = 450,170 ] || session_fail "frame at $x,$y, not at 450,170"
[ "${width}x$height" = 300x394 ] || session_fail "client area ${width}x$height, not 300x394"
