#!/usr/bin/env bash
# Makes the Debian packages with Debian's own tools, dpkg-buildpackage over debian/, from a copy of
# the project folder: the program built with Debian's hardening flags, the tests run on that build
# (DEB_BUILD_OPTIONS=nocheck leaves them out, and the packages only they need), and the packages,
# zorvanti-cribaxon and its debug symbols, written to build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages dpkg-dev

profiles=()
[[ " ${DEB_BUILD_OPTIONS:-} " == *" nocheck "* ]] && profiles=(-Pnocheck)
if ! dpkg-checkbuilddeps "${profiles[@]}" debian/control 2>/dev/null; then
    echo "Instalando las dependencias de compilación de debian/control"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Instálelas como root: apt-get build-dep ./" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get build-dep -y -qq --no-install-recommends "${profiles[@]}" ./
fi

rm -rf build-package
mkdir -p build-package/source
# The folder as it is, uncommitted changes included, without what builds leave in it.
tar -c --exclude-vcs --exclude='./build*' --exclude=./.cache . | tar -x -C build-package/source
(cd build-package/source && dpkg-buildpackage -us -uc -b -Jauto "${profiles[@]}")
rm -rf build-package/source
ls build-package/*.deb
