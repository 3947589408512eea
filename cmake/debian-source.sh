#!/usr/bin/env bash
# Downloads Debian's source package PACKAGE into the current folder (apt-get source --download-only).
#   cmake/debian-source.sh PACKAGE
# Where the machine's apt sources carry no deb-src line (a minimal or cloud Debian has none), the Sources
# indexes come from a private list made of its deb lines, kept in ./apt: the machine's apt is left as it is.
set -euo pipefail
package=$1

targets=$(apt-get indextargets --format '$(TARGET_OF)|$(REPO_URI)|$(RELEASE)|$(COMPONENT)')
if [[ $'\n'$targets == *$'\n'deb-src\|* ]]; then
    exec apt-get source --download-only "$package"
fi

private=$PWD/apt
mkdir -p "$private/lists/partial" "$private/cache/archives/partial"
awk -F '|' '$1 == "deb" { print "deb-src " $2 " " $3 " " $4 }' <<<"$targets" | sort -u >"$private/sources.list"
[ -s "$private/sources.list" ] || {
    echo "debian-source.sh: apt's sources name no archive from which to take $package's source" >&2
    exit 1
}
options=(-o "Dir::Etc::SourceList=$private/sources.list" -o "Dir::Etc::SourceParts=$private/none"
    -o "Dir::State::Lists=$private/lists" -o "Dir::Cache=$private/cache")
# Downloads as an ordinary user cannot drop to apt's own user, and need not.
[ "$(id -u)" -ne 0 ] || options+=(-o "APT::Sandbox::User=root")
apt-get "${options[@]}" update -qq
apt-get "${options[@]}" source --download-only "$package"
