#!/usr/bin/env bash
# A Wayland session without X: the program starts and stays up, and at the session's end (SIGTERM)
# saves and ends with status 0. Only the compositor knows where the window is, so the position an X
# session stored stays as it was; every other value is saved.
source "$(dirname "$0")/session.sh"
session_start_wayland
settings=$(session_settings_file)
mkdir -p "$(dirname "$settings")"
# Values the save must write anew: FormVersion and Visible of another form, a box spelt in small
# letters, Flags, ShowCmd and PixelsPerInch absent.
printf '%s\n' '[TFPral]' FormVersion=x RF_Checked=true Visible=1 'MinMaxPos="-1,-1,-1,-1"' \
    'MinMaxPos%281024x768%29="-1,-1,-1,-1"' 'NormPos="210,130,516,551"' \
    'NormPos%281024x768%29="200,120,506,541"' >"$settings"
positions=$(grep -E '^(MinMaxPos|NormPos)' "$settings")

session_start_program
session_has_ended "$SESSION_PROGRAM_PID" && session_fail "the program ended by itself"
kill -TERM "$SESSION_PROGRAM_PID"
session_wait_program_exit

[ "$(grep -E '^(MinMaxPos|NormPos)' "$settings")" = "$positions" ] ||
    session_fail "the stored position changed:"$'\n'"$(cat "$settings")"
session_expect_stored 23 FormVersion=0 Flags=0 ShowCmd=1 Visible=0 RF_Checked=True RF1_Checked=False
