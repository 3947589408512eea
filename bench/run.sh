#!/usr/bin/env bash
# Measures cribaxon-filter side by side with `cat SOURCE > DEST && sync -d DEST` (what copying a file to the disk
# costs on the machine: the filter flushes its destination too) and with the awk one-liner a user would write
# instead, then its peak memory on a file of RECORDS records and on one of about 1 GB.
#
#   bench/run.sh                      # RECORDS, LARGE_RECORDS, ROUNDS, RUNS and BENCH_DIR may be set in the environment
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" hyperfine time

records=${RECORDS:-1000000}
large_records=${LARGE_RECORDS:-28000000} # about 1 GB of Pitovan records
rounds=${ROUNDS:-5}
runs=${RUNS:-10} # of each command in each round
build=$PWD/build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_SANITIZE=OFF -DCRIBAXON_TESTS=OFF -DCRIBAXON_BENCH=ON >/dev/null
cmake --build "$build" --target cribaxon-filter generate_points
filter=$build/bin/cribaxon-filter
generate=$build/bin/generate_points

work=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/cribaxon-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# Mixed options: records of four categories kept, two of them (RF, RM) without their speed warning, those of
# the other two (PN, ZE) and of no category dropped.
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

# The comparisons are fair only if the others do exactly the same work.
"$filter" --keep=$keep --speed=$speed puntos.mdb salida.mdb >/dev/null
awk "$awk_filter" puntos.mdb >salida-awk.mdb
cmp salida.mdb salida-awk.mdb

# Each round times every command a few times, so that a load that comes and goes on the machine weighs on all of
# them alike: a figure is the median of the rounds' medians, a ratio the median of the rounds' ratios.
for round in $(seq "$rounds"); do
    hyperfine --style basic --warmup 2 --runs "$runs" --export-csv "times-$round.csv" \
        -n keep-all "$filter puntos.mdb todo.mdb" \
        -n mixed "$filter --keep=$keep --speed=$speed puntos.mdb salida.mdb" \
        -n rumbelo "$filter --keep=$keep puntos.txt salida.txt" \
        -n cat-sync "cat puntos.mdb > copia.mdb && sync -d copia.mdb" \
        -n cat-sync-rumbelo "cat puntos.txt > copia.txt && sync -d copia.txt" \
        -n awk-sync "awk '$awk_filter' puntos.mdb > salida-awk.mdb && sync -d salida-awk.mdb"
done

median_of() {
    sort -g | awk -v format="$1" '{ v[NR] = $1 }
        END { printf format, NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
median() {
    for round in $(seq "$rounds"); do awk -F, -v name="$1" '$1 == name { print $4 * 1000 }' "times-$round.csv"; done |
        median_of %.1f
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
round_ratio() {
    for round in $(seq "$rounds"); do
        awk -F, -v a="$1" -v b="$2" '$1 == a { x = $4 } $1 == b { y = $4 } END { print x / y }' "times-$round.csv"
    done | median_of %.2f
}
peak_kib() {
    /usr/bin/time -v -o rss.txt "$@" >/dev/null
    awk -F': ' '/Maximum resident set size/ { print $2 }' rss.txt
}

all_ms=$(median keep-all)
mixed_ms=$(median mixed)
rumbelo_ms=$(median rumbelo)
cat_ms=$(median cat-sync)
cat_rumbelo_ms=$(median cat-sync-rumbelo)
awk_ms=$(median awk-sync)
small_rss=$(peak_kib "$filter" --keep=$keep --speed=$speed puntos.mdb salida.mdb)
rm -f puntos.txt salida.txt todo.mdb copia.mdb copia.txt salida-awk.mdb

"$generate" pitovan "$large_records" grande.mdb
large_bytes=$(stat -c %s grande.mdb)
large_rss=$(peak_kib "$filter" --keep=$keep --speed=$speed grande.mdb grande-salida.mdb)
hyperfine --style basic --warmup 1 --runs 3 --export-csv large.csv \
    -n mixed "$filter --keep=$keep --speed=$speed grande.mdb grande-salida.mdb" \
    -n cat-sync "cat grande.mdb > grande-copia.mdb && sync -d grande-copia.mdb"
large_filter_s=$(awk -F, '$1 == "mixed" { printf "%.2f", $4 }' large.csv)
large_cat_s=$(awk -F, '$1 == "cat-sync" { printf "%.2f", $4 }' large.csv)

row() { printf '  %-36s %s\n' "$1" "$2"; }
echo
echo "Medians of $rounds rounds of $runs runs each, $records records:"
row "cribaxon-filter, Pitovan, keep all" "$all_ms ms"
row "cribaxon-filter, Pitovan, mixed" "$mixed_ms ms"
row "cribaxon-filter, Rumbelo, mixed" "$rumbelo_ms ms"
row "cat && sync -d, Pitovan" "$cat_ms ms"
row "cat && sync -d, Rumbelo" "$cat_rumbelo_ms ms"
row "awk && sync -d, Pitovan, mixed" "$awk_ms ms"
row "keep all / cat" "$(round_ratio keep-all cat-sync)  (target: at most 1.2)"
row "mixed / cat" "$(round_ratio mixed cat-sync)  (target: at most 1.2)"
row "Rumbelo mixed / cat of its file" "$(round_ratio rumbelo cat-sync-rumbelo)  (target: at most 1.2)"
row "awk / mixed" "$(round_ratio awk-sync mixed)  (target: above 1)"
echo "Source of $large_bytes bytes ($large_records records), medians over 3 runs:"
row "cribaxon-filter, mixed" "$large_filter_s s"
row "cat && sync -d" "$large_cat_s s"
row "mixed / cat" "$(ratio "$large_filter_s" "$large_cat_s")"
echo "Peak memory of cribaxon-filter (maximum resident set size):"
row "$records records" "$small_rss KiB"
row "$large_records records" "$large_rss KiB"
