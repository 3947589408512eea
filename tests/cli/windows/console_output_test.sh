#!/usr/bin/env bash
# console_output_test.sh PROGRAM RUNNER...: cribaxon-filter.exe writes to a console in UTF-16, so that its accents
# read right whatever the console's code page. Here the console is Wine's, on a terminal that script(1) makes, set to
# code page 850, in which UTF-8 bytes would show as other letters.
set -euo pipefail
program=$1
shift
runner=("$@")
cd "$(dirname "$program")"
name=$(basename "$program")
raw=$(mktemp)
trap 'rm -f "$raw"' EXIT

# Runs the program with these arguments in cmd on a terminal: what the terminal shows, without its control sequences
# and CRs, goes to shown, the program's status to status.
show() {
    local command
    printf -v command '%q ' "${runner[@]}" cmd /c "chcp 850 >nul & $name $*"
    status=0
    # script(1) runs the command in $SHELL, which must read bash's quoting of the bytes of "ñ" in the C locale.
    SHELL=$BASH script -qec "$command" /dev/null </dev/null >"$raw" || status=$?
    shown=$(sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\r//g' "$raw")
}

failed=0
# check WHAT EXPECTED_TEXT EXPECTED_STATUS
check() {
    [ "$shown" = "$2" ] && [ "$status" -eq "$3" ] && return 0
    printf 'FAILED: %s, status %s (expected %s); shown:\n%s\nexpected:\n%s\n' "$1" "$status" "$3" "$shown" "$2"
    failed=$((failed + 1))
}

# The help as a file gets it, in UTF-8: cli_tests holds that to the Linux text.
help=$("${runner[@]}" "$program" --help)
show --help
check "help on standard output" "$help" 0
show falta-ñandú.mdb salida.mdb
check "missing source on standard error" "cribaxon-filter: «falta-ñandú.mdb»: No se encuentra el archivo." 3
[ "$failed" -eq 0 ]
