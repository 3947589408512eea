#!/usr/bin/env bash
# wine_test.sh RUNNER PREFIX PROBE: the runner hands a Windows program its arguments as they are spelled, and hands
# back its exit status.
set -euo pipefail
runner=$1
prefix=$2
probe=$3

passed=0
failed=0
# check PROGRAM STATUS [ARG]...: runner_probe, named PROGRAM, prints its arguments and exits with STATUS.
check() {
    local status=0 output expected
    output=$("$runner" run "$prefix" "$1" "${@:2}") || status=$?
    expected=$(printf '%s\n' "${@:3}")
    if [ "$status" -eq "$2" ] && [ "$output" = "$expected" ]; then
        passed=$((passed + 1))
        return 0
    fi
    failed=$((failed + 1))
    printf 'FAILED: %s, arguments %q, status %s; got status %s and:\n%s\n' "$1" "${*:3}" "$2" "$status" "$output"
}

exe=$probe
bare=${probe%.exe}
check "$exe" 0
check "$bare" 1 plain
check "$exe" 42 "two words" "" "  leading and trailing  "
# shellcheck disable=SC1003 # the backslash that ends an argument is meant
check "$exe" 3 'quote"inside' 'back\slash' 'trailing\' '"quoted"' "tab	here"
check "$bare" 7 "ñandú.mdb" "Σ.mdb" "日本.mdb" "𝄞.txt"
check "$exe" 255 -x --keep=1,2 '*?' '%PATH%' '^&|<>'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
