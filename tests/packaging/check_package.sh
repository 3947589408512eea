#!/usr/bin/env bash
# Makes the Debian package as debian/rules does, from the programs an already built build folder
# holds (so the test costs seconds, not a second build), and checks its control fields and files.
#   check_package.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
for tool in dpkg-deb:dpkg dh:debhelper readelf:binutils; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "SKIPPED: ${tool%%:*} is missing (apt-get install ${tool#*:})"
        exit 77
    fi
done
# In Debian's build debian/rules asks dpkg-buildflags for the hardening flags.
hardened=0
[[ ${DEB_BUILD_MAINT_OPTIONS:-} == *hardening=+all* ]] && hardened=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# debhelper's binary steps over a copy of debian/: the build steps count as done, and the install
# step installs this build folder.
mkdir "$work/source"
cp -r "$source/debian" "$work/source/"
echo zorvanti-cribaxon >"$work/source/debian/debhelper-build-stamp"
printf '\noverride_dh_auto_install:\n\tDESTDIR=$(CURDIR)/debian/zorvanti-cribaxon cmake --install %s --prefix /usr\n' \
    "$build" >>"$work/source/debian/rules"
# Not the settings of a package build that this test may run inside. Unstripped and uncompressed,
# the package is made in a fraction of the time and holds the same files.
unset "${!DH_@}" "${!DEB_@}" MAKEFLAGS MFLAGS MAKELEVEL
# Rules-Requires-Root: no, passed on as dpkg-buildpackage does: an ordinary user makes the package too.
export DEB_BUILD_OPTIONS="nocheck noautodbgsym nostrip" DPKG_DEB_COMPRESSOR_TYPE=none DEB_RULES_REQUIRES_ROOT=no
if ! (cd "$work/source" && debian/rules binary) >"$work/dh.log" 2>&1; then
    cat "$work/dh.log"
    echo "FAILED: debian/rules binary"
    exit 1
fi
deb=$work/zorvanti-cribaxon_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    echo "FAILED: debhelper wrote no $(basename "$deb"); it wrote:"
    ls "$work"
    exit 1
fi

# The package build runs these tests, so it needs what the test command installs (build-essential aside).
source "$source/scripts/packages.sh"
build_depends=$(sed -n '/^Build-Depends:/,/^$/p' "$source/debian/control" | grep -v '^#' | tr -s ' \n' ' ')
for package in "${CRIBAXON_BUILD_PACKAGES[@]}" "${CRIBAXON_TEST_PACKAGES[@]}"; do
    [[ $package == @(g++|dpkg-dev|debhelper) || $build_depends == *" $package"[\ ,]* ]] ||
        fail "Build-Depends lacks $package"
done

# Control fields: name and extended regular expression its value must match.
fields=(
    "Package|^zorvanti-cribaxon$"
    "Version|^${version//./\\.}$"
    "Architecture|^$(dpkg --print-architecture)$"
    "Section|^utils$"
    "Priority|^optional$"
    "Maintainer|^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$"
)
for row in "${fields[@]}"; do
    field=${row%%|*} pattern=${row#*|}
    value=$(dpkg-deb -f "$deb" "$field")
    [[ $value =~ $pattern ]] || fail "$field is '$value', expected to match $pattern"
done

# FIELD PACKAGE...: each package is in the field, alone or with a version.
expect_relations() {
    local field=$1 value package
    shift
    value=$(dpkg-deb -f "$deb" "$field")
    for package in "$@"; do
        [[ ", $value," == *", $package "* || ", $value," == *", $package,"* ]] ||
            fail "$field lacks $package: $value"
    done
}
expect_relations Depends libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo libc6 libstdc++6 \
    qt6-translations-l10n fonts-dejavu-core fonts-dejavu-extra
expect_relations Recommends hicolor-icon-theme qt6-wayland

description=$(dpkg-deb -f "$deb" Description)
synopsis=$(head -n 1 <<<"$description")
[ -n "$synopsis" ] && [ ${#synopsis} -le 80 ] || fail "synopsis '$synopsis' is empty or longer than 80 characters"
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "no long description: $description"
while IFS= read -r line; do
    [[ $line =~ ^\ [^\ ] ]] || fail "long description line not in Debian form: '$line'"
done < <(tail -n +2 <<<"$description")

# Every file of the package with its mode; nothing else may be in it.
icon_dirs=(32x32 48x48 64x64 128x128 256x256)
files=(
    "./usr/bin/zorvanti-cribaxon|-rwxr-xr-x"
    "./usr/bin/cribaxon-filter|-rwxr-xr-x"
    "./usr/share/applications/zorvanti-cribaxon.desktop|-rw-r--r--"
    "./usr/share/metainfo/es.zorvanti.cribaxon.metainfo.xml|-rw-r--r--"
    "./usr/share/man/es/man1/cribaxon-filter.1.gz|-rw-r--r--"
    "./usr/share/man/es/man1/zorvanti-cribaxon.1.gz|-rw-r--r--"
    "./usr/share/man/man1/cribaxon-filter.1.gz|lrwxrwxrwx"
    "./usr/share/man/man1/zorvanti-cribaxon.1.gz|lrwxrwxrwx"
    "./usr/share/bash-completion/completions/cribaxon-filter|-rw-r--r--"
    "./usr/share/doc/zorvanti-cribaxon/copyright|-rw-r--r--"
    "./usr/share/doc/zorvanti-cribaxon/changelog.gz|-rw-r--r--"
    "./usr/share/lintian/overrides/zorvanti-cribaxon|-rw-r--r--"
)
for dir in "${icon_dirs[@]}"; do
    files+=("./usr/share/icons/hicolor/$dir/apps/zorvanti-cribaxon.png|-rw-r--r--")
done
dpkg-deb -c "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 "|" $1 }' "$work/contents" | sort >"$work/found"
printf '%s\n' "${files[@]}" | sort >"$work/expected"
diff -u "$work/expected" "$work/found" >"$work/files.diff" ||
    fail "files and modes differ:"$'\n'"$(cat "$work/files.diff")"
awk '$2 != "root/root" { print }' "$work/contents" >"$work/owners"
[ ! -s "$work/owners" ] || fail "entries not owned by root/root:"$'\n'"$(cat "$work/owners")"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$work/contents" >"$work/dirs"
[ ! -s "$work/dirs" ] || fail "folders not 0755:"$'\n'"$(cat "$work/dirs")"

# What the files hold: icons of the size their folder names, man pages that are the sources.
root=$work/root
dpkg-deb -x "$deb" "$root"
png_size() {
    local header
    header=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$header"
    echo "$(((w1 << 24) + (w2 << 16) + (w3 << 8) + w4))x$(((h1 << 24) + (h2 << 16) + (h3 << 8) + h4))"
}
for dir in "${icon_dirs[@]}"; do
    icon=$root/usr/share/icons/hicolor/$dir/apps/zorvanti-cribaxon.png
    size=missing
    [ -f "$icon" ] && size=$(png_size "$icon")
    [ "$size" = "$dir" ] || fail "icon in $dir is $size"
done
for page in cribaxon-filter.1 zorvanti-cribaxon.1; do
    packed=$root/usr/share/man/es/man1/$page.gz
    [ -f "$packed" ] && gzip -dc "$packed" | cmp -s - "$source/man/$page" ||
        fail "man page $page differs from $source/man/$page"
    link=$root/usr/share/man/man1/$page.gz
    [ "$(readlink "$link")" = "../es/man1/$page.gz" ] || fail "man1/$page.gz does not link to the Spanish page"
done
if command -v man >/dev/null; then
    # Outside Spanish locales man looks in the untranslated slot only, and the link leads it to the page.
    expected=$root/usr/share/man/es/man1/cribaxon-filter.1.gz
    for locale in C en_GB.UTF-8 es_ES.UTF-8; do
        found=$(LC_ALL=C man -L "$locale" -M "$root/usr/share/man" -w cribaxon-filter 2>&1) || true
        [ "$found" = "$expected" ] || fail "man in locale $locale finds '$found', not $expected"
    done
fi
for program in zorvanti-cribaxon cribaxon-filter; do
    ! readelf -d "$root/usr/bin/$program" | grep -E 'RPATH|RUNPATH' || fail "$program carries a RUNPATH"
    [ "$hardened" -eq 0 ] || grep -q ' U __stack_chk_fail' <<<"$(nm -D "$root/usr/bin/$program")" ||
        fail "$program has no stack protector"
done
if pkg-config --exists bash-completion 2>/dev/null; then
    completions=$(pkg-config --variable=completionsdir bash-completion)
    [ -f "$root$completions/cribaxon-filter" ] || fail "the completion is not in bash-completion's $completions"
fi

desktop=$root/usr/share/applications/zorvanti-cribaxon.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$exec_name" ] && [ -x "$root/usr/bin/$exec_name" ] || fail "desktop entry runs '$exec_name', not in /usr/bin"
[ -f "$root/usr/share/icons/hicolor/32x32/apps/$icon_name.png" ] ||
    fail "desktop entry's icon '$icon_name' is not installed"
grep -q "<release version=\"${version//./\\.}\"" "$root/usr/share/metainfo/es.zorvanti.cribaxon.metainfo.xml" ||
    fail "the metainfo has no release $version"
if command -v appstreamcli >/dev/null; then
    # Across files: the launchable names the installed desktop entry.
    appstreamcli validate-tree --no-net "$root" >"$work/tree.log" 2>&1 ||
        fail "appstreamcli validate-tree:"$'\n'"$(cat "$work/tree.log")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): control fields and ${#files[@]} files checked"
