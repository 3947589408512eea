#!/usr/bin/env bash
# Proves README's two commands where a new user starts: a fresh, minimal Debian 12 made by debootstrap,
# into which the committed HEAD is cloned. There, as root, with no input and a clean environment, it
# runs README's test command and then its run command (--run-first: the other order), then its package
# command and the package's install, start and removal in a bare copy (prove_package below); it prints
# one line with the exit statuses and times, and fails where any failed. Needs root.
#   scripts/fresh-debian.sh [--run-first]
# The bare root is made once and kept, with the packages apt fetches, in FRESH_DEBIAN_CACHE (default
# /var/tmp/cribaxon-fresh-debian); every run works in a new copy of it, removed afterwards, and keeps
# the two commands' output in the cache's logs folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

commands=("./scripts/test.sh" "./scripts/run.sh")
case ${1:-} in
"") ;;
--run-first) commands=("./scripts/run.sh" "./scripts/test.sh") ;;
*)
    echo "Uso: scripts/fresh-debian.sh [--run-first]" >&2
    exit 2
    ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-debian.sh necesita root (debootstrap, chroot, mount)." >&2; exit 1; }
install_missing_packages debootstrap
require_commands debootstrap:debootstrap git:git flock:util-linux

cache=${FRESH_DEBIAN_CACHE:-/var/tmp/cribaxon-fresh-debian}
mirror=${FRESH_DEBIAN_MIRROR:-http://deb.debian.org/debian}
base=$cache/bookworm-minbase.tar
mkdir -p "$cache/apt-archives" "$cache/logs"
note() { echo "fresh-debian: $*" >&2; }
# One run at a time on a machine: the runs share the cache, apt's archive folder included.
exec 9>"$cache/lock"
flock -n 9 || { note "waiting for another run to end"; flock 9; }

if [ ! -f "$base" ]; then
    note "making the minimal Debian 12 root with debootstrap (once; kept in $base)"
    staging=$(mktemp -d "$cache/debootstrap-XXXXXX")
    debootstrap --variant=minbase bookworm "$staging" "$mirror" >"$cache/logs/debootstrap.log" 2>&1 ||
        { tail -n 30 "$cache/logs/debootstrap.log" >&2; rm -rf --one-file-system "$staging"; exit 1; }
    # What a Debian 12 installation lists: the release, its updates and its security fixes.
    cat >"$staging/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
    rm -rf "$staging/var/cache/apt/archives/"*.deb
    tar -C "$staging" --numeric-owner -cf "$base.partial" .
    rm -rf --one-file-system "$staging"
    mv "$base.partial" "$base"
fi

head=$(git rev-parse HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    note "the work tree has uncommitted changes; they are not part of the committed HEAD that is tried"

root=$(mktemp -d /var/tmp/cribaxon-fresh-root-XXXXXX)
mounts=()
cleanup() {
    local status=$? pid link
    trap - EXIT
    set +e
    # Whatever a command left running inside the root holds its mounts.
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
        pid=${link#/proc/}
        kill -KILL "${pid%/root}" 2>/dev/null
    done
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -R "${mounts[i]}" 2>/dev/null || umount -R -l "${mounts[i]}"
    done
    if grep -q " $root/" /proc/self/mountinfo; then
        note "$root is still mounted in places; left as it is"
    else
        rm -rf --one-file-system "$root"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

tar -C "$root" --numeric-owner -xf "$base"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
for tree in /sys /dev; do
    mount --rbind "$tree" "$root$tree" && mounts+=("$root$tree")
    # Unmounting the copy must not unmount the host's own /dev/pts or the like.
    mount --make-rslave "$root$tree"
done
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives" && mounts+=("$root/var/cache/apt/archives")
git clone -q --no-checkout "$PWD" "$root/root/zorvanti-cribaxon"
git -C "$root/root/zorvanti-cribaxon" checkout -q --detach "$head"

find "$cache/logs" -name '*.log' -mtime +30 -delete
stamp=$(date +%Y%m%d-%H%M%S)
results=()
failed=0
for command in "${commands[@]}"; do
    log=$cache/logs/$stamp-$(basename "$command" .sh).log
    note "running $command (output in $log)"
    start=$SECONDS
    status=0
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM=dumb \
        chroot "$root" /bin/sh -c "cd /root/zorvanti-cribaxon && $command" </dev/null >"$log" 2>&1 || status=$?
    elapsed=$((SECONDS - start))
    if [ "$status" -ne 0 ]; then
        failed=1
        tail -n 60 "$log" >&2
    fi
    results+=("$command exit $status in $((elapsed / 60))m$(printf %02d $((elapsed % 60)))s")
done

# README's package command, with the tests on the package's own build, there; then the package
# installed by apt into a new copy of the bare Debian (inside the root, so that the cleanup covers
# it), without recommendations and then with them, started, and removed.
chroot_clean() {
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM=dumb \
        chroot "$1" /bin/sh -c "$2" </dev/null
}
prove_package() {
    chroot_clean "$root" "cd /root/zorvanti-cribaxon && ./scripts/package.sh" || return
    local bare=$root/var/tmp/bare-debian tree
    mkdir "$bare" && tar -C "$bare" --numeric-owner -xf "$base" || return
    cp -L /etc/resolv.conf "$bare/etc/resolv.conf" && cp "$root"/root/zorvanti-cribaxon/build-package/*.deb "$bare/tmp/" ||
        return
    mount -t proc proc "$bare/proc" && mounts+=("$bare/proc") || return
    for tree in /sys /dev; do
        mount --rbind "$tree" "$bare$tree" && mounts+=("$bare$tree") && mount --make-rslave "$bare$tree" || return
    done
    mount --bind "$cache/apt-archives" "$bare/var/cache/apt/archives" && mounts+=("$bare/var/cache/apt/archives") ||
        return
    chroot_clean "$bare" 'set -ex
        export DEBIAN_FRONTEND=noninteractive
        absent() { ! dpkg -s "$1" >/dev/null 2>&1; }
        handles_sigterm() { mask=$(sed -n "s/^SigCgt:\t//p" "/proc/$1/status") && [ $((0x$mask & 0x4000)) -ne 0 ]; }
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends /tmp/zorvanti-cribaxon_*_amd64.deb
        absent qt6-wayland
        cribaxon-filter --version
        # A start: the window is made, SIGTERM closes it once its handler is in place, and the
        # settings are written.
        QT_QPA_PLATFORM=offscreen zorvanti-cribaxon & program=$!
        trap "kill $program 2>/dev/null" EXIT
        tries=0
        until handles_sigterm $program; do
            [ $tries -lt 600 ] || exit 1
            tries=$((tries + 1))
            sleep 0.1
        done
        kill -TERM $program && wait $program
        trap - EXIT
        grep -q "^\[TFPral\]" /root/.config/Software/zorvanti-cribaxon.conf
        apt-get remove -y -qq zorvanti-cribaxon
        [ ! -e /usr/bin/zorvanti-cribaxon ]
        apt-get install -y -qq /tmp/zorvanti-cribaxon_*_amd64.deb /tmp/zorvanti-cribaxon-dbgsym_*_amd64.deb
        dpkg -s qt6-wayland hicolor-icon-theme >/dev/null
        apt-get purge -y -qq zorvanti-cribaxon zorvanti-cribaxon-dbgsym
        absent zorvanti-cribaxon'
}
log=$cache/logs/$stamp-package.log
note "running ./scripts/package.sh, then installing the package in a bare Debian (output in $log)"
start=$SECONDS
status=0
prove_package >"$log" 2>&1 || status=$?
elapsed=$((SECONDS - start))
if [ "$status" -ne 0 ]; then
    failed=1
    tail -n 60 "$log" >&2
fi
results+=("package, install, start, removal exit $status in $((elapsed / 60))m$(printf %02d $((elapsed % 60)))s")

echo "fresh Debian 12, $(git rev-parse --short "$head"): ${results[0]}; ${results[1]}; ${results[2]}"
exit "$failed"
