#!/usr/bin/env bash
# Builds for Windows with MinGW-w64 and runs the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_WINDOWS_PACKAGES[@]}"
require_commands "${CRIBAXON_WINDOWS_COMMANDS[@]}"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
cmake --build build-windows -j "$(nproc)"
cd build-windows && ctest --output-on-failure --timeout 300 -j "$(nproc)"
