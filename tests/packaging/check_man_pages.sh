#!/usr/bin/env bash
# The man pages render without a groff warning and without a word broken at 80 columns, and carry
# the program's version. cribaxon-filter(1) documents every option that `cribaxon-filter --help`
# lists, in the same words for each option and exit status; README shows the help as it is.
#   check_man_pages.sh CRIBAXON_FILTER VERSION README PAGE...
set -euo pipefail
filter=$1 version=$2 readme=$3
shift 3
if ! command -v man >/dev/null; then
    echo "SKIPPED: man is missing (apt-get install man-db)"
    exit 77
fi

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

render() {
    LC_ALL=C.UTF-8 MANWIDTH=80 MAN_DISABLE_SECCOMP=1 man -E UTF-8 -l -Tutf8 "$1" 2>/dev/null | sed 's/.\x08//g'
}

for page in "$@"; do
    name=$(basename "$page")
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 MAN_DISABLE_SECCOMP=1 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "$name: man could not render it"
    [ -z "$warnings" ] || fail "$name: groff warnings:"$'\n'"$warnings"
    # English hyphenation patterns break Spanish words in the wrong places.
    broken=$(render "$page" | grep -E '[[:alpha:]]‐$' || true)
    [ -z "$broken" ] || fail "$name: words broken at the end of a line:"$'\n'"$broken"
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
    rendered=$(render "$filter_page")
    grep -q 'ORIGEN DESTINO' <<<"$rendered" || fail "cribaxon-filter.1: ORIGEN and DESTINO split across lines"
    # The page in one line, blanks collapsed and hyphens as typed, so wrapping does not matter.
    flat=$(tr '\n' ' ' <<<"$rendered" | sed 's/‐/-/g; s/−/-/g' | tr -s ' ')
    # Each option's and exit status's description in --help: what follows the option (column 22) or
    # the status (column 6), with its continuation lines.
    descriptions=$("$filter" --help | awk '
        /^  -|^      --/ { if (d) print d; d = substr($0, 22); next }
        /^                     [^ ]/ && d { d = d " " substr($0, 22); next }
        /^  [0-9]  / { if (d) print d; d = substr($0, 6); next }
        /^     [^ ]/ && d { d = d " " substr($0, 6); next }
        { if (d) print d; d = "" }
        END { if (d) print d }')
    [ "$(wc -l <<<"$descriptions")" -ge 10 ] || fail "fewer descriptions in --help than expected:"$'\n'"$descriptions"
    while IFS= read -r description; do
        [[ $flat == *"$description"* ]] || fail "cribaxon-filter.1 does not say, word for word: $description"
    done <<<"$descriptions"
    [[ $(cat "$readme") == *"$("$filter" --help)"* ]] || fail "$(basename "$readme") does not show --help as it is"
fi

[ "$failures" -eq 0 ] || exit 1
echo "man pages: $# checked"
