#!/usr/bin/env bash
# prepare_prefix.sh RUNNER PREFIX: readies the tests' Wine prefix for windows. Wine's own fonts (fonts-wine) go
# into its Fonts folder, as every Windows has "MS Sans Serif" there and Debian's Wine does not look where Debian
# puts them; and the null graphics driver lets windows be made without a display.
set -euo pipefail
runner=$1
prefix=$2
fonts=/usr/share/wine/fonts
[ -f "$fonts/sserife.fon" ] || { echo "Faltan las fuentes de Wine: instale fonts-wine" >&2; exit 1; }
cp -- "$fonts"/*.fon "$fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
"$runner" run "$prefix" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
