#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test; then builds for
# Windows and runs the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" "${CRIBAXON_TEST_PACKAGES[@]}"
require_commands "${CRIBAXON_BUILD_COMMANDS[@]}" "${CRIBAXON_TEST_COMMANDS[@]}"

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRIBAXON_SANITIZE=ON
cmake --build build-test
(cd build-test && ctest --output-on-failure --timeout 300 -j "$(nproc)")
# Then the Windows build and its tests under Wine; CRIBAXON_WINDOWS_TESTS=0 leaves them out.
[ "${CRIBAXON_WINDOWS_TESTS:-1}" = 0 ] || ./scripts/test-windows.sh
