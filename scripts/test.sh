#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" "${CRIBAXON_TEST_PACKAGES[@]}"
require_commands "${CRIBAXON_BUILD_COMMANDS[@]}" "${CRIBAXON_TEST_COMMANDS[@]}"

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRIBAXON_SANITIZE=ON
cmake --build build-test
cd build-test && ctest --output-on-failure --timeout 300 -j "$(nproc)"
