#!/usr/bin/env bash
# wine_test.sh RUNNER PREFIX PROBE: the runner hands a Windows program its arguments as they are spelled, and hands
# back its exit status.
set -euo pipefail
runner=$1
prefix=$2
probe=$3

passed=0
failed=0
# check STATUS [ARG]...: runner_probe prints its arguments and exits with STATUS.
check() {
    local status=0 output expected
    output=$("$runner" run "$prefix" "$probe" "$@") || status=$?
    expected=$(printf '%s\n' "${@:2}")
    if [ "$status" -eq "$1" ] && [ "$output" = "$expected" ]; then
        passed=$((passed + 1))
        return 0
    fi
    failed=$((failed + 1))
    printf 'FAILED: arguments %q, status %s; got status %s and:\n%s\n' "${*:2}" "$1" "$status" "$output"
}

check 0
check 1 plain
check 42 "two words" "" "  leading and trailing  "
# shellcheck disable=SC1003 # the backslash that ends an argument is meant
check 3 'quote"inside' 'back\slash' 'trailing\' '"quoted"' "tab	here"
check 7 "ñandú.mdb" "Σ.mdb" "日本.mdb" "𝄞.txt"
check 255 -x --keep=1,2 '*?' '%PATH%' '^&|<>'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
