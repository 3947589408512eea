#!/usr/bin/env bash
# The bash completion of cribaxon-filter, sourced as bash-completion sources it and called as bash
# calls it: the options --help lists, category identifiers in a LISTA, and file names.
#   check_completion.sh COMPLETION_FILE CRIBAXON_FILTER
completion=$(realpath "$1")
options=$("$2" --help | grep -E '^ {2,6}-' | grep -oE -- '--?[a-z][a-z-]*=?' | LC_ALL=C sort | paste -sd ' ')
bash_completion=/usr/share/bash-completion/bash_completion
if [ ! -f "$bash_completion" ]; then
    echo "SKIPPED: bash-completion is missing (apt-get install bash-completion)"
    exit 77
fi
# shellcheck source=/dev/null
source "$bash_completion"
# shellcheck source=/dev/null
source "$completion"
complete -p cribaxon-filter >/dev/null || { echo "FAILED: no completion registered for cribaxon-filter"; exit 1; }
# Outside a completion bash refuses compopt; what it would set is of no concern here.
compopt() { :; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch -- puntos.mdb puntos.txt -raro.mdb
mkdir datos
export LC_ALL=C

# The candidates for LINE with the cursor at its end, sorted, on one line. Bash splits the words at
# blanks and makes "=" a word of its own.
candidates() {
    local line=$1
    COMP_LINE=$line
    COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _cribaxon_filter cribaxon-filter "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

failures=0
rows=(
    "cribaxon-filter -|$options"
    "cribaxon-filter --su|--summary"
    "cribaxon-filter --k|--keep="
    "cribaxon-filter --count --h|--help"
    "cribaxon-filter --keep=|PN PP RF RM TC ZE"
    "cribaxon-filter -k rf,P|rf,PN rf,PP"
    "cribaxon-filter --speed RF,RM,TC,PP,PN,|RF,RM,TC,PP,PN,ZE"
    "cribaxon-filter -s z|ZE"
    "cribaxon-filter pun|puntos.mdb puntos.txt"
    "cribaxon-filter --keep=RF d|datos"
    "cribaxon-filter -- -r|-raro.mdb"
)
for row in "${rows[@]}"; do
    line=${row%%|*} expected=${row#*|}
    found=$(candidates "$line")
    [ "$found" = "$expected" ] || {
        echo "FAILED: '$line' offers '$found', expected '$expected'"
        failures=$((failures + 1))
    }
done
[ "$failures" -eq 0 ] || exit 1
echo "completion: ${#rows[@]} lines checked"
