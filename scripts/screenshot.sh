#!/usr/bin/env bash
# Starts the program under Xvfb with a window manager, and saves a picture of the screen.
#   scripts/screenshot.sh [OUTPUT.png]
# PROGRAM (default build/bin/zorvanti-cribaxon) names the executable; KEEP_SETTINGS=1 uses the
# caller's stored settings instead of a fresh, empty configuration folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages xvfb openbox imagemagick x11-utils xdotool

output=${1:-screenshot.png}
program=${PROGRAM:-build/bin/zorvanti-cribaxon}
[ -x "$program" ] || { echo "No existe $program: compile antes con scripts/run.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
[ "${KEEP_SETTINGS:-0}" = 1 ] || export XDG_CONFIG_HOME="$work/config"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
sleep 0.5
"$program" >"$work/program.log" 2>&1 &

window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Zorvanti Cribaxon - ' 2>/dev/null | sed -n 1p) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "La ventana no apareció" >&2; cat "$work/program.log" >&2; exit 1; }
sleep 1
xwininfo -frame -id "$window" | grep -E 'Absolute|Width|Height'
import -window root "$output"
echo "$output"
