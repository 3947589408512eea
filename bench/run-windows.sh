#!/usr/bin/env bash
# Measures cribaxon-filter.exe under Wine side by side with cmd's `copy` of the same file under the same Wine, and
# `copy` followed by `sync -d` (the filter flushes its destination to the disk, copy does not), on a file of RECORDS
# records. Wine's timings are not Windows': this compares the two programs on one footing, not with a Windows machine.
#
#   bench/run-windows.sh              # RECORDS, ROUNDS, RUNS and BENCH_DIR may be set in the environment
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" "${CRIBAXON_WINDOWS_PACKAGES[@]}" hyperfine

records=${RECORDS:-1000000}
rounds=${ROUNDS:-5}
runs=${RUNS:-10} # of each command in each round
build=$PWD/build-bench
windows=$PWD/build-bench-windows
runner=$PWD/tests/windows/wine_test.sh
prefix=$windows/wine-prefix

# The points come from the Linux build's generator; the Linux filter checks the Windows one's bytes.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_SANITIZE=OFF -DCRIBAXON_TESTS=OFF -DCRIBAXON_BENCH=ON >/dev/null
cmake --build "$build" --target cribaxon-filter generate_points
cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DCRIBAXON_TESTS=OFF >/dev/null
cmake --build "$windows" --target cribaxon-filter
filter=$windows/bin/cribaxon-filter.exe

work=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/cribaxon-bench.XXXXXX")
# One wineserver for every run, as a ctest run has: a Windows program then starts in a tenth of a second.
"$runner" setup "$prefix"
trap '"$runner" cleanup "$prefix"; rm -rf "$work"' EXIT
cd "$work"
wine_run() { printf '%q run %q' "$runner" "$prefix"; }

keep=RF,RM,TC,PP
speed=TC,PP
"$build/bin/generate_points" pitovan "$records" puntos.mdb
echo "Source file: $(stat -c %s puntos.mdb) bytes, $records Pitovan records"

# The same work as on Linux, byte for byte.
"$build/bin/cribaxon-filter" --keep=$keep --speed=$speed puntos.mdb linux.mdb >/dev/null
"$runner" run "$prefix" "$filter" --keep=$keep --speed=$speed puntos.mdb salida.mdb >/dev/null
cmp linux.mdb salida.mdb

for round in $(seq "$rounds"); do
    hyperfine --style basic --warmup 2 --runs "$runs" --export-csv "times-$round.csv" \
        -n keep-all "$(wine_run) $filter puntos.mdb todo.mdb" \
        -n mixed "$(wine_run) $filter --keep=$keep --speed=$speed puntos.mdb salida.mdb" \
        -n copy "$(wine_run) cmd /c copy /y puntos.mdb copia.mdb" \
        -n copy-sync "$(wine_run) cmd /c copy /y puntos.mdb copia.mdb && sync -d copia.mdb" \
        -n start "$(wine_run) $filter --version"
done

median_of() {
    sort -g | awk -v format="$1" '{ v[NR] = $1 }
        END { printf format, NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
median() {
    for round in $(seq "$rounds"); do awk -F, -v name="$1" '$1 == name { print $4 * 1000 }' "times-$round.csv"; done |
        median_of %.1f
}
round_ratio() {
    for round in $(seq "$rounds"); do
        awk -F, -v a="$1" -v b="$2" '$1 == a { x = $4 } $1 == b { y = $4 } END { print x / y }' "times-$round.csv"
    done | median_of %.2f
}

row() { printf '  %-44s %s\n' "$1" "$2"; }
echo
echo "Medians of $rounds rounds of $runs runs each, under Wine ($(wine --version 2>/dev/null)), $records records:"
row "cribaxon-filter.exe, keep all" "$(median keep-all) ms"
row "cribaxon-filter.exe, mixed" "$(median mixed) ms"
row "cmd /c copy" "$(median copy) ms"
row "cmd /c copy && sync -d" "$(median copy-sync) ms"
row "cribaxon-filter.exe --version (a start)" "$(median start) ms"
row "keep all / copy" "$(round_ratio keep-all copy)"
row "keep all / copy && sync -d" "$(round_ratio keep-all copy-sync)"
row "mixed / copy" "$(round_ratio mixed copy)"
row "mixed / copy && sync -d" "$(round_ratio mixed copy-sync)"
