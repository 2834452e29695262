#!/usr/bin/env bash
# The shells' completion of quellist-convert as a user meets it: each shell offers every
# option --help names and no other, and bash and fish complete the values of --format,
# --fields (a comma list), a file option and a column option from the table on the line.
# Usage: completion_test.sh COMPLETION_DIR QUELLIST_CONVERT
set -uo pipefail
dir=$(realpath "$1")
convert=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
same() { # LABEL EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf '%s:\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
        failed=1
    fi
}

# --help's options: the names at the start of its option lines.
help=$("$convert" --help | grep -oE '^  (-[a-z], )?--[a-z-]+' | grep -oE -- '--?[a-z-]+' | sort -u)
[ "$(wc -l <<<"$help")" -ge 20 ] || { echo "too few options in --help"; exit 1; }

# bash: the script's words for an option; zsh: its _arguments lines; fish: its -l and -s.
bash_options=$(grep -oE "compgen -W '[^']*' -- \"\\\$cur\"\)\)$" "$dir/quellist-convert" |
    tail -n 1 | grep -oE "'[^']*'" | grep -oE -- "--?[a-z-]+" | sort -u)
zsh_options=$(grep -oE "^        '(\([^)]*\))?--?[a-z-]+\[" "$dir/_quellist-convert" |
    sed -E "s/^ *'(\([^)]*\))?//; s/\[$//" | sort -u)
fish_options=$(grep '^complete -c' "$dir/quellist-convert.fish" | grep -oE -- " -[ls] [a-z-]+" |
    awk '{ print ($1 == "-l" ? "--" : "-") $2 }' | sort -u)
same "bash's options" "$help" "$bash_options"
same "zsh's options" "$help" "$zsh_options"
same "fish's options" "$help" "$fish_options"
bash -n "$dir/quellist-convert" || failed=1
zsh -n "$dir/_quellist-convert" || failed=1

printf 'id,Zip Code,city\r\n1,03053,Derry\r\n' >"$scratch/customers.csv"
printf 'visit\tZip Code\r\n1\t03053\r\n' >"$scratch/visits.tsv"
cd "$scratch" || exit 1
bash_completes() { # the words bash offers for the command line, the last word being typed
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1));
             _quellist_convert; printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd" "' \
        bash "$dir/quellist-convert" quellist-convert "$@"
}
same "bash --format c" "csv" "$(bash_completes --format c)"
same "bash --format=" "aligned csv geojson rows tsv xlsx" "$(bash_completes --format = '')"
same "bash --fields zip,c" "zip,city zip,county zip,county_fips" "$(bash_completes --fields zip,c)"
same "bash --save c" "city city-state city-state-zip" "$(bash_completes --save c)"
same "bash --output cu" "customers.csv" "$(bash_completes -o cu)"
same "bash --column in the table's header" "Zip Code" \
    "$(bash_completes customers.csv --column Z)"
same "bash --column in a tsv table's header" "Zip Code" "$(bash_completes visits.tsv --column Z)"
same "bash --within: no words" "" "$(bash_completes --within '')"
same "bash after --loose, which takes no value: files" "customers.csv" "$(bash_completes --loose cu)"
same "bash --ne" "--nearest" "$(bash_completes --ne)"

fish_completes() {
    fish -c "source $dir/quellist-convert.fish; complete -C '$1'" | cut -f1 | sort | paste -sd' '
}
same "fish --format c" "csv" "$(fish_completes 'quellist-convert --format c')"
same "fish --fields zip,c" "zip,city zip,county zip,county_fips" \
    "$(fish_completes 'quellist-convert --fields zip,c')"
same "fish --city-column in the table's header" "city" \
    "$(fish_completes 'quellist-convert customers.csv --city-column c')"
same "fish --input-format" "csv tsv" "$(fish_completes 'quellist-convert --input-format ')"
same "fish --column in a tsv table's header" "Zip Code" \
    "$(fish_completes 'quellist-convert visits.tsv --column Z')"

# zsh: what _arguments is told follows a word option, a comma list, a file and a column.
zsh_follows() { # OPTION: the action at the end of its _arguments line
    grep -E "^        '(\([^)]*\))?$1\[" "$dir/_quellist-convert" | head -n 1 |
        sed -E "s/.*\]//; s/' \\\\$//"
}
same "zsh --format" ":value:(rows aligned csv tsv xlsx geojson)" "$(zsh_follows --format)"
same "zsh --fields" ":list:_sequence compadd - zip city state county county_fips latitude longitude timezone distance" \
    "$(zsh_follows --fields)"
same "zsh --output" ":file:_files" "$(zsh_follows --output)"
same "zsh --column" ":column:_quellist_convert_header" "$(zsh_follows --column)"

# zsh offers a table's names through compadd, asked here without a terminal.
zsh_header() {
    zsh -c 'setopt extendedglob; compadd() { [[ $1 == -a ]] && print -rl -- "${(@P)2}"; }
            source <(sed "\$d" "$1"); words=(quellist-convert "$2" --column "");
            _quellist_convert_header' zsh "$dir/_quellist-convert" "$1" | paste -sd'|'
}
same "zsh: a csv table's header" "id|Zip Code|city" "$(zsh_header customers.csv)"
same "zsh: a tsv table's header" "visit|Zip Code" "$(zsh_header visits.tsv)"

[ "$failed" -eq 0 ] && echo "completion: bash, zsh and fish agree with --help"
exit "$failed"
