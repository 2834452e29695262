#!/usr/bin/env bash
# quellist-convert with points in: a csv table of coordinate records (default 10,000,000,
# drawn with a fixed seed over the 48 states' box) given their nearest zip; --nearest 5
# over the benchmarks' mix (default 1,000,000 entries); and the nearest zip of the same
# 200,000 points by quellist-convert and by the npm package geo2zip 3.0.0 (sphere-knn over
# the Census ZCTA points), side by side in one run.
# Usage: bench/convert_nearest.sh [BUILD_DIR] [RECORDS] [ENTRIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
records=${2:-10000000}
entries=${3:-1000000}
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
  printf '%-62s %7.2f s %6d MB peak\n' "$1" "$seconds" $((kb / 1024))
  echo "$seconds" >"$scratch/seconds"
}

awk -v n="$records" 'BEGIN {
  srand(7); print "id,lat,lon"
  for (i = 1; i <= n; i++) printf "%d,%.4f,%.4f\n", i, 25 + rand() * 24, -124 + rand() * 57
}' >"$scratch/points.csv"
measure "nearest zip of $records coordinate records, to a file" \
  "$convert" -q --latitude-column lat --longitude-column lon --fields zip,distance \
  -o "$scratch/nearest.csv" "$scratch/points.csv"
all=$(cat "$scratch/seconds")
echo "records out: $(($(wc -l <"$scratch/nearest.csv") - 1))"

"$build/bench/bench_make_list" "$scratch/mix.txt" "$entries"
measure "--nearest 5, $entries entries of the mix, to a file" \
  "$convert" -q --nearest 5 -o "$scratch/five.txt" "$scratch/mix.txt"

head -n 200001 "$scratch/points.csv" >"$scratch/sample.csv"
if [ ! -d "$build/bench-node/node_modules/geo2zip" ]; then
  mkdir -p "$build/bench-node"
  cp bench/node/package.json "$build/bench-node/"
  (cd "$build/bench-node" && npm install --no-audit --no-fund --silent >/dev/null)
fi
cp bench/node/nearest.js "$build/bench-node/"
measure "nearest zip of 200,000 points, quellist-convert (the whole run)" \
  "$convert" -q --latitude-column lat --longitude-column lon --fields zip \
  -o "$scratch/ours.csv" "$scratch/sample.csv"
ours=$(cat "$scratch/seconds")
theirs=$(node "$build/bench-node/nearest.js" "$scratch/sample.csv" "$scratch/theirs.csv")
echo "geo2zip, the same 200,000 points (questions alone): $theirs"
rate=$(grep -o '[0-9]* a second' <<<"$theirs" | grep -o '^[0-9]*')
# geo2zip answers a point in the same time wherever it lies, so its rate on the first
# 200,000 is its rate on all; ours grows where points share cells, as they do in a big table.
awk -v s="$all" -v n="$records" -v r="$rate" 'BEGIN {
  printf "throughput, all %d records: %.0f points a second, %.1f times geo2zip'"'"'s\n", n, n / s, n / s / r }'
awk -v s="$ours" -v r="$rate" 'BEGIN {
  printf "throughput, the 200,000 alone (start and load included): %.0f points a second, %.1f times\n", 200000 / s, 200000 / s / r }'
paste -d, <(tail -n +2 "$scratch/ours.csv" | tr -d '\r' | cut -d, -f1,4) "$scratch/theirs.csv" |
  awk -F, '$2 != $4 { d++ } END { printf "nearest zips that differ (other point sets): %d of %d\n", d, NR }'
