# Debian packages the build and the tests need; sourced by the other scripts.
CRIBAXON_BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libjpeg62-turbo-dev
    fonts-dejavu-core fonts-dejavu-extra
)
CRIBAXON_TEST_PACKAGES=(
    googletest libgtest-dev
    desktop-file-utils appstream dpkg-dev man-db bash-completion
)

# Installs the packages that are missing; quick when none is.
install_missing_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
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
