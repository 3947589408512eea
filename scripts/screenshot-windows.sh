#!/usr/bin/env bash
# Starts the Windows program under Wine on Xvfb with a window manager, and saves a picture of the screen.
#   scripts/screenshot-windows.sh [OUTPUT.png [DPI]]
# PROGRAM (default build-windows/bin/zorvanti-cribaxon.exe) names the program; DPI (default 96) is Wine's LogPixels.
# The Wine prefix is build-windows/wine-screenshot-prefix, made at the first run; its stored settings are removed
# first unless KEEP_SETTINGS=1.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages xvfb openbox imagemagick x11-utils xdotool wine wine64 fonts-wine

output=${1:-screenshot-windows.png}
dpi=${2:-96}
program=${PROGRAM:-build-windows/bin/zorvanti-cribaxon.exe}
[ -f "$program" ] || { echo "No existe $program: compile antes la versión para Windows" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$PWD/build-windows/wine-screenshot-prefix} WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
    wineserver -k 2>/dev/null || true
    kill $(jobs -p) 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
[ -d "$WINEPREFIX" ] || wineboot --init >"$work/wineboot.log" 2>&1
# Wine's own "MS Sans Serif", where Windows keeps it and Debian's Wine does not look.
cp /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
[ "${KEEP_SETTINGS:-0}" = 1 ] || wine reg delete 'HKCU\Software\zorvanti-cribaxon' /f >/dev/null 2>&1 || true
openbox >/dev/null 2>&1 &
wine "$program" >"$work/program.log" 2>&1 &

window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name 'Zorvanti Cribaxon - ' 2>/dev/null | sed -n 1p) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "La ventana no apareció" >&2; cat "$work/program.log" >&2; exit 1; }
# Drawn once the window manager has framed it and the program has painted it.
sleep 2
xwininfo -frame -id "$window" | grep -E 'Absolute|Width|Height'
import -window root "$output"
echo "$output"
