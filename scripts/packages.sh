#!/usr/bin/env bash
# Debian packages the build and the tests need, and the commands they must bring; sourced by the
# other scripts. Run by root, it installs them all, so that a user without sudo can run the tests.
CRIBAXON_BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-l10n-tools libgl-dev
    # Not linked: the platform plugin that starts the program on a desktop of Wayland alone.
    qt6-wayland
    libjpeg62-turbo-dev libxcb1-dev
    fonts-dejavu-core fonts-dejavu-extra
)
CRIBAXON_TEST_PACKAGES=(
    googletest libgtest-dev
    desktop-file-utils appstream dpkg-dev debhelper file man-db bash-completion
    xvfb openbox xfwm4 dbus-daemon dbus-bin xdotool x11-utils x11-xserver-utils wmctrl weston
    python3 python3-pyatspi python3-xlib at-spi2-core
)
# The Windows build (cmake/mingw-w64-x86_64.cmake) and its tests under Wine: MinGW-w64 with the posix thread model,
# Wine's 64-bit half alone (wine32 would need the i386 architecture; wine brings the commands, wine64 the loader),
# and GoogleTest's sources, built there for Windows; libjpeg-turbo's source package is unpacked (dpkg-dev) and its
# SIMD code assembled (nasm) for the window's pictures, whose tests want Wine's own fonts ("MS Sans Serif"); the
# window's real sessions want the Linux sessions' X server, window manager and tools. The download is packed with
# zip and NSIS (scripts/package-windows.sh), and its test lists the zip with unzip.
CRIBAXON_WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build dpkg-dev nasm fonts-wine nsis zip unzip
    xvfb openbox dbus-daemon xdotool x11-utils x11-xserver-utils wmctrl
)
# COMMAND:PACKAGE, for each command that the build or a test calls and that a minimal Debian lacks.
CRIBAXON_BUILD_COMMANDS=(g++:g++ cmake:cmake ninja:ninja-build pkg-config:pkg-config)
CRIBAXON_TEST_COMMANDS=(
    ctest:cmake desktop-file-validate:desktop-file-utils appstreamcli:appstream
    dpkg-shlibdeps:dpkg-dev dh:debhelper file:file man:man-db
    Xvfb:xvfb openbox:openbox xfwm4:xfwm4 dbus-daemon:dbus-daemon dbus-send:dbus-bin xdotool:xdotool
    xprop:x11-utils xwininfo:x11-utils xmessage:x11-utils xrdb:x11-xserver-utils wmctrl:wmctrl weston:weston weston-debug:weston
    /usr/bin/python3:python3 /usr/libexec/at-spi-bus-launcher:at-spi2-core
)
CRIBAXON_WINDOWS_COMMANDS=(
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
    wine:wine wineboot:wine wineserver:wine /usr/lib/wine/wine64:wine64 flock:util-linux
    cmake:cmake ctest:cmake ninja:ninja-build dpkg-source:dpkg-dev nasm:nasm x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
    Xvfb:xvfb openbox:openbox dbus-daemon:dbus-daemon xdotool:xdotool xprop:x11-utils xwininfo:x11-utils
    xmessage:x11-utils xrdb:x11-xserver-utils wmctrl:wmctrl
    x86_64-w64-mingw32-strip:binutils-mingw-w64-x86-64 x86_64-w64-mingw32-strings:binutils-mingw-w64-x86-64
    makensis:nsis zip:zip unzip:unzip
)

# Installs the packages that are missing; quick when none is.
install_missing_packages() {
    local missing=()
    local package
    for package in "$@"; do
        grep -q 'install ok installed' <<<"$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Instalando paquetes: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Faltan paquetes (${missing[*]}); instálelos como root." >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Stops, naming them, where any of the COMMAND:PACKAGE pairs given has no command on the PATH.
require_commands() {
    local missing=()
    local pair
    for pair in "$@"; do
        command -v "${pair%%:*}" >/dev/null || missing+=("${pair%%:*} (paquete ${pair#*:})")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    printf 'Falta la orden %s\n' "${missing[@]}" >&2
    return 1
}

# The Windows build's packages as well, for the test command runs the Windows tests too (--windows is still taken).
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    packages=("${CRIBAXON_BUILD_PACKAGES[@]}" "${CRIBAXON_TEST_PACKAGES[@]}" "${CRIBAXON_WINDOWS_PACKAGES[@]}")
    install_missing_packages "${packages[@]}"
fi
