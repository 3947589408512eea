#!/usr/bin/env bash
# pack.sh VERSION BIN OUTDIR: packs the Windows programs of BIN into OUTDIR as zorvanti-cribaxon-VERSION-win64.zip
# and zorvanti-cribaxon-VERSION-setup.exe. The same programs and SOURCE_DATE_EPOCH give the same bytes.
set -euo pipefail
[ $# -eq 3 ] || { echo "Usage: $0 VERSION BIN OUTDIR" >&2; exit 2; }
version=$1
bin=$2
out=$(realpath -m -- "$3")
: "${SOURCE_DATE_EPOCH:?the date of every packed file, in seconds since 1970}"
export SOURCE_DATE_EPOCH
here=$(dirname "$(realpath -- "$0")")
name=zorvanti-cribaxon-$version
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
stage=$work/$name
mkdir -p -- "$stage" "$out"

# Stripped of the symbols, which name the build folder; Debian's strip dates the header SOURCE_DATE_EPOCH, not now.
for program in zorvanti-cribaxon cribaxon-filter; do
    x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$bin/$program.exe"
done
# CRLF and a byte-order mark: every Notepad, since Windows XP, shows UTF-8 so.
{
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$here/LEEME.txt"
} >"$stage/LEEME.txt"
chmod 755 "$stage" "$stage"/*.exe
chmod 644 "$stage/LEEME.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

# Named one by one for a fixed order; -X leaves out the owner and the extra times, TZ fixes the DOS times.
rm -f -- "$out/$name-win64.zip"
(cd "$work" && TZ=UTC0 zip -X -9 -q -D "$out/$name-win64.zip" \
    "$name/zorvanti-cribaxon.exe" "$name/cribaxon-filter.exe" "$name/LEEME.txt")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
    -DICON="$here/../../resources/zorvanti-cribaxon.ico" -DOUTFILE="$out/$name-setup.exe" "$here/zorvanti-cribaxon.nsi"
