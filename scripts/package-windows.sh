#!/usr/bin/env bash
# Builds the Windows download into build-windows/download/: zorvanti-cribaxon-VERSION-win64.zip and
# zorvanti-cribaxon-VERSION-setup.exe. Every date in them is the last commit's (or SOURCE_DATE_EPOCH's), so that two
# builds of one commit give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_WINDOWS_PACKAGES[@]}"
require_commands "${CRIBAXON_WINDOWS_COMMANDS[@]}"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows --target zorvanti-cribaxon cribaxon-filter -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
[ -n "${SOURCE_DATE_EPOCH:-}" ] || SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
win32/download/pack.sh "$version" build-windows/bin build-windows/download
ls -l build-windows/download
