#!/usr/bin/env bash
# Builds the program and starts it; without a graphical session, says how to start it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}"
require_commands "${CRIBAXON_BUILD_COMMANDS[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_TESTS=OFF
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<'TEXT'
El programa está compilado en build/bin/zorvanti-cribaxon, pero esta sesión no tiene pantalla gráfica
(ni DISPLAY ni WAYLAND_DISPLAY). Arránquelo desde un escritorio, o en una pantalla virtual:
    apt-get install xvfb && xvfb-run -a build/bin/zorvanti-cribaxon
TEXT
    exit 0
fi
exec build/bin/zorvanti-cribaxon
