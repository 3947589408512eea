#!/usr/bin/env bash
# The man pages render without a groff warning, carry the program's version, and cribaxon-filter(1)
# documents every option that `cribaxon-filter --help` lists.
#   check_man_pages.sh CRIBAXON_FILTER VERSION PAGE...
set -euo pipefail
filter=$1 version=$2
shift 2
if ! command -v man >/dev/null; then
    echo "SKIPPED: man is missing (apt-get install man-db)"
    exit 77
fi

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

for page in "$@"; do
    name=$(basename "$page")
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 MAN_DISABLE_SECCOMP=1 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "$name: man could not render it"
    [ -z "$warnings" ] || fail "$name: groff warnings:"$'\n'"$warnings"
    grep -q "^\.TH .*\"Zorvanti Cribaxon $version\"" "$page" || fail "$name: .TH does not name version $version"
done

filter_page=
for page in "$@"; do
    [ "$(basename "$page")" = cribaxon-filter.1 ] && filter_page=$page
done
[ -n "$filter_page" ] || fail "cribaxon-filter.1 is not among the pages"
if [ -n "$filter_page" ]; then
    options=$("$filter" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
    [ -n "$options" ] || fail "cribaxon-filter --help lists no option"
    for option in $options; do
        # troff writes each hyphen of an option as \-.
        grep -qF -- "${option//-/\\-}" "$filter_page" || fail "cribaxon-filter.1 does not document $option"
    done
fi

[ "$failures" -eq 0 ] || exit 1
echo "man pages: $# checked"
