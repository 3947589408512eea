#!/usr/bin/env bash
# download_test.sh RUNNER PREFIX PACK VERSION BIN WORK: the Windows download as its user meets it. PACK packs the
# programs of BIN twice, the second time from copies of another date into another folder, and both must be the same
# bytes; then, in the tests' Wine prefix, the installer runs silently, both installed programs run, and the silent
# uninstaller removes all but the program's settings.
set -euo pipefail
runner=$1
prefix=$2
pack=$3
version=$4
bin=$5
work=$6
name=zorvanti-cribaxon-$version
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorvantiCribaxon'
settings_key='HKCU\Software\zorvanti-cribaxon'

fail() {
    echo "FALLO: $*" >&2
    exit 1
}
wine_output() {
    "$runner" run "$prefix" "$@" | tr -d '\r'
}
# Runs COMMAND until it succeeds, for at most a minute: a busy machine may be slow, never wrong.
wait_for() {
    local deadline=$((SECONDS + 60))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

rm -rf -- "$work"
mkdir -p -- "$work/copies"
export SOURCE_DATE_EPOCH=1700000000
cp -- "$bin/zorvanti-cribaxon.exe" "$bin/cribaxon-filter.exe" "$work/copies/"
touch -d 2001-01-01 "$work/copies"/*
"$pack" "$version" "$bin" "$work/first" &
"$pack" "$version" "$work/copies" "$work/second"
wait $! || fail "pack.sh terminó con $?"
for file in "$name-win64.zip" "$name-setup.exe"; do
    cmp -- "$work/first/$file" "$work/second/$file" || fail "$file cambia con la fecha o la carpeta de los programas"
done
listing=$(unzip -Z1 "$work/first/$name-win64.zip")
[ "$listing" = "$(printf '%s\n' "$name/zorvanti-cribaxon.exe" "$name/cribaxon-filter.exe" "$name/LEEME.txt")" ] ||
    fail "el zip contiene: $listing"

# Where Windows puts a program installed for one user; a run stopped half way may have left any of it.
data=$(wine_output cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%')
folder_win="${data%%$'\n'*}\\Programs\\Zorvanti Cribaxon"
shortcut_win="${data#*$'\n'}\\Microsoft\\Windows\\Start Menu\\Programs\\Zorvanti Cribaxon.lnk"
paths=$(wine_output winepath -u "$folder_win" "$shortcut_win")
folder=${paths%%$'\n'*}
shortcut=${paths#*$'\n'}
"$runner" run "$prefix" reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
"$runner" run "$prefix" reg delete "$settings_key" /f >/dev/null 2>&1 || true
rm -rf -- "$folder" "$shortcut"

"$runner" run "$prefix" "$work/first/$name-setup.exe" /S || fail "el instalador terminó con $?"
for file in zorvanti-cribaxon.exe cribaxon-filter.exe LEEME.txt desinstalar.exe; do
    [ -f "$folder/$file" ] || fail "no se instaló $folder/$file"
done
[[ $(x86_64-w64-mingw32-strings -a "$shortcut") == *"$folder_win\\zorvanti-cribaxon.exe"* ]] ||
    fail "falta el acceso del menú Inicio $shortcut o no lleva al programa"
# The installed bytes in KiB, as Windows' list of programs reads EstimatedSize.
size=$(($(cat -- "$folder"/* | wc -c) / 1024))
entry=$(wine_output reg query "$uninstall_key" | sed -E 's/^ +//; s/ {4}/|/g')
for value in "DisplayName|REG_SZ|Zorvanti Cribaxon" "DisplayVersion|REG_SZ|$version" "Publisher|REG_SZ|Zorvanti" \
    "DisplayIcon|REG_SZ|$folder_win\\zorvanti-cribaxon.exe,0" "InstallLocation|REG_SZ|$folder_win" \
    "UninstallString|REG_SZ|\"$folder_win\\desinstalar.exe\"" \
    "QuietUninstallString|REG_SZ|\"$folder_win\\desinstalar.exe\" /S" \
    "NoModify|REG_DWORD|0x1" "NoRepair|REG_DWORD|0x1" "EstimatedSize|REG_DWORD|$(printf '0x%x' "$size")"; do
    grep -qxF -- "$value" <<<"$entry" || fail "la entrada de desinstalación no tiene $value: $entry"
done

[ "$(wine_output "$folder/cribaxon-filter.exe" --version)" = "cribaxon-filter $version" ] ||
    fail "cribaxon-filter.exe instalado no da su versión"
"$runner" run "$prefix" "$folder/zorvanti-cribaxon.exe" &
program=$!
# taskkill without /f sends WM_CLOSE to the process's top-level windows, as their close box does. It is sent until
# the program ends: the first may come before the program's window, to Wine's own window of the process alone.
close_window() {
    "$runner" run "$prefix" taskkill /im zorvanti-cribaxon.exe >/dev/null 2>&1 || true
    ! kill -0 "$program" 2>/dev/null
}
wait_for close_window || {
    kill "$program"
    fail "zorvanti-cribaxon.exe instalado no se cerró"
}
wait "$program" || fail "zorvanti-cribaxon.exe instalado terminó con $?"
[[ $(wine_output reg query "$settings_key\\TFPral") == *NormPos* ]] || fail "la ventana no guardó su configuración"

"$runner" run "$prefix" "$folder/desinstalar.exe" /S || fail "el desinstalador terminó con $?"
# It copies itself into the temporary folder, starts the copy, which does the work, and ends.
uninstalled() {
    [ ! -e "$folder" ] && [ ! -e "$shortcut" ] && ! "$runner" run "$prefix" reg query "$uninstall_key" >/dev/null 2>&1
}
wait_for uninstalled || fail "quedan la carpeta $folder, el acceso $shortcut o la entrada de desinstalación"
[[ $(wine_output reg query "$settings_key\\TFPral") == *NormPos* ]] || fail "el desinstalador borró la configuración"
# The prefix is the other tests' too.
"$runner" run "$prefix" reg delete "$settings_key" /f >/dev/null
