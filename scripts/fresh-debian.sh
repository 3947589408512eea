#!/usr/bin/env bash
# Proves README's two commands where a new user starts: a fresh, minimal Debian 12 made by debootstrap,
# into which the committed HEAD is cloned. There, as root, with no input and a clean environment, it
# runs README's test command and then its run command (--run-first: the other order), then the test
# command once more as an ordinary user made there, then its package command and the package's install,
# start and removal in a bare copy (prove_package below); it prints one line with the exit statuses and
# times, and fails where any failed. Needs root.
#   scripts/fresh-debian.sh [--run-first]
# The Debian archive is the one the machine's apt uses (FRESH_DEBIAN_MIRROR: another), and so is the
# security archive. The bare root is made once and kept, with the packages apt fetches, in
# FRESH_DEBIAN_CACHE (default /var/tmp/cribaxon-fresh-debian); every run works in a new copy of it,
# removed afterwards, and keeps the commands' output in the cache's logs folder.
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
base=$cache/bookworm-minbase.tar
mkdir -p "$cache/apt-archives" "$cache/logs"
note() { echo "fresh-debian: $*" >&2; }

# The first archive of the machine's deb sources (one-line and deb822 files, as apt itself reads them)
# that serves SUITE: by the Release files apt holds, which must be Debian's own, and else by the suite
# the sources name.
apt_archive() {
    local format='$(TARGET_OF)|$(IDENTIFIER)|$(ORIGIN)|$(RELEASE)|$(CODENAME)|$(REPO_URI)'
    { apt-get indextargets --format "$format" && apt-get indextargets --no-release-info --format "$format"; } |
        awk -F '|' -v suite="$1" '!found && $1 == "deb" && $2 == "Packages" && ($3 == "Debian" || $3 == "$(ORIGIN)") &&
            ($4 == suite || $5 == suite) { found = 1; sub(/\/$/, "", $6); print $6 }' || true
}
mirror=${FRESH_DEBIAN_MIRROR:-$(apt_archive bookworm)}
[ -n "$mirror" ] || {
    echo "fresh-debian.sh: las fuentes de apt de esta máquina (/etc/apt/sources.list, /etc/apt/sources.list.d/)" \
        "no nombran ningún archivo de Debian 12 (bookworm); indique uno con FRESH_DEBIAN_MIRROR=URI." >&2
    exit 1
}
security=$(apt_archive bookworm-security)
[ -n "$security" ] || note "the machine's apt sources name no security archive for bookworm; the copy goes without"
# One run at a time on a machine: the runs share the cache, apt's archive folder included.
exec 9>"$cache/lock"
flock -n 9 || { note "waiting for another run to end"; flock 9; }

if [ ! -f "$base" ]; then
    note "making the minimal Debian 12 root with debootstrap (once; kept in $base)"
    staging=$(mktemp -d "$cache/debootstrap-XXXXXX")
    debootstrap --variant=minbase bookworm "$staging" "$mirror" >"$cache/logs/debootstrap.log" 2>&1 ||
        { tail -n 30 "$cache/logs/debootstrap.log" >&2; rm -rf --one-file-system "$staging"; exit 1; }
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
# Made private by mktemp: the root folder of a Debian system is open to every user.
chmod 755 "$root"
# What a Debian 12 installation lists: the release, its updates and its security fixes; written in each
# copy, so that the cached root follows a change of mirror.
{
    echo "deb $mirror bookworm main"
    echo "deb $mirror bookworm-updates main"
    [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
for tree in /sys /dev; do
    mount --rbind "$tree" "$root$tree" && mounts+=("$root$tree")
    # Unmounting the copy must not unmount the host's own /dev/pts or the like.
    mount --make-rslave "$root$tree"
done
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives" && mounts+=("$root/var/cache/apt/archives")
# An ordinary user of the copy, in whose home the project is cloned: root's commands build there, and
# the user's own run of the test command finds the build done.
user=tester
chroot "$root" useradd --create-home --user-group "$user"
project=/home/$user/zorvanti-cribaxon
git clone -q --no-checkout "$PWD" "$root$project"
git -C "$root$project" checkout -q --detach "$head"

find "$cache/logs" -name '*.log' -mtime +30 -delete
stamp=$(date +%Y%m%d-%H%M%S)
results=()
failed=0
# Runs COMMAND in the project as WHO, root or the user, with no input and a clean environment, and adds
# its exit status and time to the results.
run_in_copy() {
    local who=$1 command=$2 home=/root label=$2 log=$cache/logs/$stamp-$(basename "$2" .sh)
    if [ "$who" != root ]; then
        home=/home/$who
        label+=" as $who"
        log+=-$who
    fi
    log+=.log
    note "running $label (output in $log)"
    local start=$SECONDS status=0
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME="$home" USER="$who" \
        LOGNAME="$who" TERM=dumb chroot "$root" setpriv --reuid="$who" --regid="$who" --init-groups \
        /bin/sh -c "cd $project && $command" </dev/null >"$log" 2>&1 || status=$?
    local elapsed=$((SECONDS - start))
    if [ "$status" -ne 0 ]; then
        failed=1
        tail -n 60 "$log" >&2
    fi
    results+=("$label exit $status in $((elapsed / 60))m$(printf %02d $((elapsed % 60)))s")
}
for command in "${commands[@]}"; do
    run_in_copy root "$command"
done

# README's test command once more, as the user, after root has installed the packages: the tests that
# file permissions bind, which root passes by right, run only so.
chroot "$root" chown -R "$user:$user" "$project"
run_in_copy "$user" ./scripts/test.sh
# README's package command, whose build runs the tests too, there.
run_in_copy root ./scripts/package.sh

# The package installed by apt into a new copy of the bare Debian (inside the root, so that the
# cleanup covers it), without recommendations and then with them, started, and removed.
prove_package() {
    local bare=$root/var/tmp/bare-debian tree
    mkdir "$bare" && tar -C "$bare" --numeric-owner -xf "$base" || return
    cp "$root/etc/apt/sources.list" "$bare/etc/apt/sources.list" && cp -L /etc/resolv.conf "$bare/etc/resolv.conf" &&
        cp "$root$project"/build-package/*.deb "$bare/tmp/" || return
    mount -t proc proc "$bare/proc" && mounts+=("$bare/proc") || return
    for tree in /sys /dev; do
        mount --rbind "$tree" "$bare$tree" && mounts+=("$bare$tree") && mount --make-rslave "$bare$tree" || return
    done
    mount --bind "$cache/apt-archives" "$bare/var/cache/apt/archives" && mounts+=("$bare/var/cache/apt/archives") ||
        return
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM=dumb \
        chroot "$bare" /bin/sh -c 'set -ex
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
        absent zorvanti-cribaxon' </dev/null
}
log=$cache/logs/$stamp-install.log
note "installing the package in a bare Debian, starting and removing it (output in $log)"
start=$SECONDS
status=0
prove_package >"$log" 2>&1 || status=$?
elapsed=$((SECONDS - start))
if [ "$status" -ne 0 ]; then
    failed=1
    tail -n 60 "$log" >&2
fi
results+=("package install, start, removal exit $status in $((elapsed / 60))m$(printf %02d $((elapsed % 60)))s")

printf -v line '%s; ' "${results[@]}"
echo "fresh Debian 12, $(git rev-parse --short "$head"): ${line%; }"
exit "$failed"
