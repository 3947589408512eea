#!/usr/bin/env bash
# Redraws the pictures and icons of resources/ with cribaxon_draw_pictures and encodes them:
# picture 1 as a progressive JPEG, picture 2 as a baseline one, each also at twice the size for
# screens that scale by two, the program icon with a 4-bit palette (and as a Windows icon).
set -euo pipefail
generator=$(cd "$(dirname "$0")" && pwd)
resources=$(dirname "$generator")
repo=$(dirname "$resources")
build=${CRIBAXON_GENERATOR_BUILD:-$repo/build-generator}

source "$repo/scripts/packages.sh"
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" libjpeg-turbo-progs imagemagick fonts-liberation

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_TESTS=OFF >/dev/null
cmake --build "$build" --target cribaxon_draw_pictures

drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT
QT_QPA_PLATFORM=offscreen "$build/bin/cribaxon_draw_pictures" "$drawn"

# Full-resolution colour keeps the small lamps and letters sharp.
for suffix in "" @2x; do
    cjpeg -quality 92 -sample 1x1 -optimize -progressive -outfile "$resources/picture1$suffix.jpg" \
        "$drawn/picture1$suffix.ppm"
    cjpeg -quality 92 -sample 1x1 -optimize -baseline -outfile "$resources/picture2$suffix.jpg" \
        "$drawn/picture2$suffix.ppm"
done
convert "$drawn/32.png" -strip -define png:bit-depth=4 -define png:color-type=3 \
    PNG8:"$resources/zorvanti-cribaxon.png"
# The same 16 colours as the Windows program's icon resource.
python3 "$generator/png_to_ico.py" "$resources/zorvanti-cribaxon.png" "$resources/zorvanti-cribaxon.ico"
cp "$drawn/open_folder.png" "$drawn/open_folder@2x.png" "$resources/"
mkdir -p "$resources/icons"
for size in 48 64 128 256; do
    cp "$drawn/$size.png" "$resources/icons/$size.png"
done
