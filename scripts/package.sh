#!/usr/bin/env bash
# Builds the program in Release and makes its Debian package, build-package/zorvanti-cribaxon_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${CRIBAXON_BUILD_PACKAGES[@]}" dpkg-dev file
require_commands "${CRIBAXON_BUILD_COMMANDS[@]}" cpack:cmake dpkg-shlibdeps:dpkg-dev file:file

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRIBAXON_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls build-package/zorvanti-cribaxon_*.deb
