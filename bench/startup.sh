#!/usr/bin/env bash
# Time from start to the mapped window, and idle memory, of the program and of a
# bare Qt window, side by side, under Xvfb with a window manager.
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" xvfb openbox xdotool x11-utils

runs=${1:-15}
build=${BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_TESTS=OFF -DCRIBAXON_BENCH=ON >/dev/null
cmake --build "$build" --target zorvanti-cribaxon cribaxon_bare_window >/dev/null

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
sleep 0.5

# Prints "milliseconds-to-mapped kilobytes-resident-when-idle" for one start (a command without blanks in its path).
measure() {
    local program=$1 title=$2 start pid window=""
    start=$(date +%s%N)
    $program >/dev/null 2>&1 &
    pid=$!
    until window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | sed -n 1p) && [ -n "$window" ]; do
        sleep 0.002
    done
    local mapped=$(( ($(date +%s%N) - start) / 1000000 ))
    sleep 1
    local rss
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$mapped $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2)}'; }

declare -A time rss
for name in program bare empty; do
    : >"$work/$name"
done
for _ in $(seq "$runs"); do
    measure "$build/bin/zorvanti-cribaxon" 'Zorvanti Cribaxon - ' >>"$work/program"
    measure "$build/bin/cribaxon_bare_window" 'Bare Qt window - ' >>"$work/bare"
    measure "$build/bin/cribaxon_bare_window --empty" 'Bare Qt window - ' >>"$work/empty"
done
for name in program bare empty; do
    time[$name]=$(cut -d' ' -f1 "$work/$name" | median)
    rss[$name]=$(cut -d' ' -f2 "$work/$name" | median)
done
printf '%-20s %12s %14s\n' "" "mapped (ms)" "idle RSS (KiB)"
printf '%-20s %12s %14s\n' "zorvanti-cribaxon" "${time[program]}" "${rss[program]}"
printf '%-20s %12s %14s\n' "bare Qt window" "${time[bare]}" "${rss[bare]}"
printf '%-20s %12s %14s\n' "  without its text" "${time[empty]}" "${rss[empty]}"
awk -v a="${time[program]}" -v b="${time[bare]}" -v c="${rss[program]}" -v d="${rss[bare]}" \
    'BEGIN {printf "ratio: start-up %.2f×, memory %.2f× (median of '"$runs"' starts each)\n", a / b, c / d}'
