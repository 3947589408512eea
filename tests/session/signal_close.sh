#!/usr/bin/env bash
# SIGTERM (the session ends), SIGHUP (the terminal closes) and SIGINT (Ctrl+C) close the window as
# its close box does: the settings are saved, an open box does not hold the end, and the status is 0.
# No one may be left to close an error box then: a save or a run that fails is told on standard error,
# and a failed run makes the status 1.
source "$(dirname "$0")/session.sh"
session_start
work=$SESSION_DIR/work
settings=$(session_settings_file)

#   end_with SIGNAL [STATUS]
end_with() {
    kill -"$1" "$SESSION_PROGRAM_PID"
    session_wait_program_exit "${2:-0}"
}

session_start_program
session_type "$work/puntos.mdb"
for box in RF RF1 ZE; do
    session_click_control "$box"
done
end_with TERM
session_expect_stored 23 "FilenameEdit1_FileName=$work/puntos.mdb" RF_Checked=True RF1_Checked=True ZE_Checked=True \
    Visible=0

# "Generar" on a source that does not exist opens the error box, which has no owner window; the
# signal closes it unread, so its message goes to standard error.
session_start_program
session_click_control PN
session_click_control FilenameEdit2
session_type "$work/salida.mdb"
session_click_control cxButton1
session_wait_box
end_with HUP 1
session_expect_stored 23 PN_Checked=True "FilenameEdit2_FileName=$work/salida.mdb"
grep -qxF "zorvanti-cribaxon: No se encuentra el archivo." "$SESSION_DIR/program.log" ||
    session_fail "standard error does not tell the failed run:"$'\n'"$(cat "$SESSION_DIR/program.log")"

# As in a terminal, where the program is in the foreground and Ctrl+C reaches it.
set -m
session_start_program
set +m
session_click_control ZE
end_with INT
session_expect_stored 23 ZE_Checked=False

# Started as nohup starts it, the program outlives its terminal.
trap '' HUP
session_start_program
trap - HUP
ignored=$(awk '/^SigIgn:/ { print $2 }' "/proc/$SESSION_PROGRAM_PID/status")
# Bit 0 of the mask is signal 1, SIGHUP.
((0x$ignored & 1)) || session_fail "SIGHUP, ignored at the start, is no longer ignored"
rm "$settings"
mkdir "$settings"
end_with TERM
expected="zorvanti-cribaxon: Error al crear la llave TFPral."
[ "$(grep -cxF "$expected" "$SESSION_DIR/program.log")" -eq 2 ] ||
    session_fail "standard error does not tell the two failed saves:"$'\n'"$(cat "$SESSION_DIR/program.log")"

# The error box of a failed restore holds the start: the signal ends it there, and as the restore
# failed, nothing is written.
rmdir "$settings"
printf '[TFPral]\nFlags=@ByteArray(x)\n' >"$settings"
"$SESSION_PROGRAM" >>"$SESSION_DIR/program.log" 2>&1 </dev/null &
SESSION_PROGRAM_PID=$!
session_wait_box
end_with TERM
[ "$(cat "$settings")" = $'[TFPral]\nFlags=@ByteArray(x)' ] || session_fail "the store was written:"$'\n'"$(cat "$settings")"
