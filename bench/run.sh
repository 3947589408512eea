#!/usr/bin/env bash
# Measures cribaxon-filter side by side with `cat` (the machine's copying limit) and with the awk one-liner a user
# would write instead, then its peak memory on a file of RECORDS records and on one of about 1 GB.
#
#   bench/run.sh                      # RECORDS, LARGE_RECORDS, RUNS and BENCH_DIR may be set in the environment
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" hyperfine time

records=${RECORDS:-1000000}
large_records=${LARGE_RECORDS:-28000000} # about 1 GB of Pitovan records
runs=${RUNS:-30}
build=$PWD/build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_SANITIZE=OFF -DCRIBAXON_TESTS=OFF >/dev/null
cmake --build "$build" --target cribaxon-filter generate_points
filter=$build/bin/cribaxon-filter
generate=$build/bin/generate_points

work=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/cribaxon-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# A typical filter: four categories kept, the speed warning blanked for two of them (RF, RM).
keep=RF,RM,TC,PP
speed=TC,PP
awk_filter='BEGIN { RS = ORS = "\r\n" }
NR == 1 { print; next }
{ t = substr($0, 16, 1) }
t == "1" || t == "2" { print substr($0, 1, 14) "0" t; next }
t == "3" || t == "4" || t == "5"'

"$generate" pitovan "$records" puntos.mdb
"$generate" rumbelo "$records" puntos.txt
echo "Source files: $(stat -c %s puntos.mdb) bytes (Pitovan), $(stat -c %s puntos.txt) bytes (Rumbelo), $records records each"

# The comparison is fair only if awk does exactly the same work.
"$filter" --keep=$keep --speed=$speed puntos.mdb salida.mdb >/dev/null
awk "$awk_filter" puntos.mdb >salida-awk.mdb
cmp salida.mdb salida-awk.mdb

hyperfine --style basic --warmup 3 --runs "$runs" --export-csv times.csv \
    -n cribaxon-filter "$filter --keep=$keep --speed=$speed puntos.mdb salida.mdb" \
    -n cribaxon-filter-rumbelo "$filter --keep=$keep puntos.txt salida.txt" \
    -n cat "cat puntos.mdb > copia.mdb" \
    -n awk "awk '$awk_filter' puntos.mdb > salida-awk.mdb"

median() { awk -F, -v name="$1" '$1 == name { printf "%.1f", $4 * 1000 }' times.csv; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
peak_kib() {
    /usr/bin/time -v -o rss.txt "$@" >/dev/null
    awk -F': ' '/Maximum resident set size/ { print $2 }' rss.txt
}

filter_ms=$(median cribaxon-filter)
rumbelo_ms=$(median cribaxon-filter-rumbelo)
cat_ms=$(median cat)
awk_ms=$(median awk)
small_rss=$(peak_kib "$filter" --keep=$keep --speed=$speed puntos.mdb salida.mdb)
rm -f puntos.txt salida.txt copia.mdb salida-awk.mdb

"$generate" pitovan "$large_records" grande.mdb
large_bytes=$(stat -c %s grande.mdb)
large_rss=$(peak_kib "$filter" --keep=$keep --speed=$speed grande.mdb grande-salida.mdb)
hyperfine --style basic --warmup 1 --runs 3 --export-csv large.csv \
    -n cribaxon-filter "$filter --keep=$keep --speed=$speed grande.mdb grande-salida.mdb" \
    -n cat "cat grande.mdb > grande-copia.mdb"
large_filter_s=$(awk -F, '$1 == "cribaxon-filter" { printf "%.2f", $4 }' large.csv)
large_cat_s=$(awk -F, '$1 == "cat" { printf "%.2f", $4 }' large.csv)

row() { printf '  %-32s %s\n' "$1" "$2"; }
echo
echo "Medians over $runs runs, $records records:"
row "cribaxon-filter (Pitovan)" "$filter_ms ms"
row "cribaxon-filter (Rumbelo)" "$rumbelo_ms ms"
row "cat" "$cat_ms ms"
row "awk" "$awk_ms ms"
row "cribaxon-filter / cat" "$(ratio "$filter_ms" "$cat_ms")  (target: at most 2)"
row "awk / cribaxon-filter" "$(ratio "$awk_ms" "$filter_ms")  (target: above 1)"
echo "Source of $large_bytes bytes ($large_records records), medians over 3 runs:"
row "cribaxon-filter" "$large_filter_s s"
row "cat" "$large_cat_s s"
row "cribaxon-filter / cat" "$(ratio "$large_filter_s" "$large_cat_s")"
echo "Peak memory of cribaxon-filter (maximum resident set size):"
row "$records records" "$small_rss KiB"
row "$large_records records" "$large_rss KiB"
