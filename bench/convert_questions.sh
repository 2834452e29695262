#!/usr/bin/env bash
# quellist-convert's questions: --within 10 over the benchmarks' mix (default 1,000,000
# entries); --within 10 against the npm package zipcodes' radius() on the same 10,000 zip
# entries, side by side; --check over a csv table of 8 columns (default 10,000,000
# records); and the plain run of the mix, for comparison with earlier figures.
# Usage: bench/convert_questions.sh [BUILD_DIR] [ENTRIES] [RECORDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
entries=${2:-1000000}
records=${3:-10000000}
for tool in /usr/bin/time node npm; do
  command -v $tool >/dev/null || { echo "needs $tool (apt-get install time nodejs npm)"; exit 1; }
done
cmake --build "$build" --target quellist-convert bench_make_list >/dev/null
convert=$(realpath "$build/app/quellist-convert")
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

measure() { # LABEL COMMAND...: seconds and peak MB
  /usr/bin/time -f '%e %M' -o "$scratch/time" "${@:2}" >/dev/null
  read -r seconds kb <"$scratch/time"
  printf '%-58s %7.2f s %6d MB peak\n' "$1" "$seconds" $((kb / 1024))
  echo "$seconds" >"$scratch/seconds"
}

"$build/bench/bench_make_list" "$scratch/mix.txt" "$entries"
measure "--within 10, $entries entries of the mix, to a file" \
  "$convert" -q --within 10 -o "$scratch/near.txt" "$scratch/mix.txt"
echo "rows: $(wc -l <"$scratch/near.txt")"
measure "the plain run of the same mix, to a file" \
  "$convert" -q -o "$scratch/rows.txt" "$scratch/mix.txt"

# Every fourth zip of the table, 10,000 of them.
awk -F'\t' 'NR > 1 && NR % 4 == 0 && n++ < 10000 { print $1 }' data/us-zip-codes.tsv \
  >"$scratch/zips.txt"
if [ ! -d "$build/bench-node/node_modules/zipcodes" ]; then
  mkdir -p "$build/bench-node"
  cp bench/node/package.json "$build/bench-node/"
  (cd "$build/bench-node" && npm install --no-audit --no-fund --silent >/dev/null)
fi
cp bench/node/radius.js "$build/bench-node/"
measure "--within 10, 10,000 zips, quellist-convert" \
  "$convert" -q --within 10 -o "$scratch/ours.txt" "$scratch/zips.txt"
ours=$(cat "$scratch/seconds")
measure "radius(zip, 10) of npm zipcodes, the same 10,000 zips" \
  node "$build/bench-node/radius.js" "$scratch/zips.txt" 10 "$scratch/theirs.txt"
theirs=$(cat "$scratch/seconds")
echo "rows: $(wc -l <"$scratch/ours.txt") and $(wc -l <"$scratch/theirs.txt")"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "throughput: %.0f times that of radius()\n", b / a }'

# Customers: each zip of the table with its own place, and every fifth with a wrong city.
awk -F'\t' -v n="$records" -f bench/customers.awk data/us-zip-codes.tsv >"$scratch/table.csv"
echo "table: $records records, $(du -m "$scratch/table.csv" | cut -f1) MB"
measure "--check, $records records of 8 columns, to a file" \
  "$convert" --check --column zip --city-column city --state-column state \
  -o "$scratch/checked.csv" "$scratch/table.csv"
