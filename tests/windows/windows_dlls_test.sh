#!/usr/bin/env bash
# windows_dlls_test.sh OBJDUMP "DLL;..." PROGRAM...: each program imports Windows' own DLLs only (named without
# ".dll", any case); a MinGW DLL (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) would be missing on Windows.
set -euo pipefail
objdump=$1
IFS=';' read -r -a allowed <<<"${2,,}"
shift 2

failed=0
for program in "$@"; do
    dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if ! grep -qix 'kernel32.dll' <<<"$dlls"; then
        echo "FAILED: $program imports no KERNEL32.dll: not a Windows program, or objdump's output changed"
        failed=$((failed + 1))
    fi
    while read -r dll; do
        name=${dll,,}
        name=${name%.dll}
        [[ " ${allowed[*]} " == *" $name "* ]] && continue
        echo "FAILED: $program needs $dll"
        failed=$((failed + 1))
    done <<<"$dlls"
done
echo "$#" programs checked
[ "$failed" -eq 0 ]
