#!/usr/bin/env bash
# quellist-convert with the zip data's further columns: a list of the benchmarks' mix
# (default 1,000,000 entries) through --format rows, the plain csv (entry, city, state,
# zip), a csv of the plain fields and the time zone, and a csv of every field, each the
# best of three runs, and their ratios to the plain csv; then the size of the shipped
# database.
# Usage: bench/convert_fields.sh [BUILD_DIR] [ENTRIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
entries=${2:-1000000}
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (apt-get install time)"; exit 1; }
cmake --build "$build" --target quellist-convert bench_make_list >/dev/null
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/bench_make_list" "$scratch/list.txt" "$entries"

best() { # label, arguments...: the best of three runs' seconds
  local label=$1 best=999999 seconds
  shift
  for _ in 1 2 3; do
    /usr/bin/time -f '%e' -o "$scratch/time" "$build/app/quellist-convert" -q "$@" \
      -o "$scratch/out" "$scratch/list.txt"
    seconds=$(cat "$scratch/time")
    best=$(awk -v a="$seconds" -v b="$best" 'BEGIN { print (a < b ? a : b) }')
  done
  printf '%-12s %6.2f s %5d MB out\n' "$label" "$best" $(($(stat -c %s "$scratch/out") >> 20))
  echo "$best" >"$scratch/$label.seconds"
}
best rows --format rows
best csv --format csv
best timezone --format csv --fields city,state,zip,timezone
best every --format csv --fields zip,city,state,county,county_fips,latitude,longitude,timezone
for label in timezone every; do
  awk -v a="$(cat "$scratch/csv.seconds")" -v b="$(cat "$scratch/$label.seconds")" -v l="$label" \
    'BEGIN { printf "%s / plain csv: %.2f times the time\n", l, b / a }'
done
echo "zipbase.mdb: $(stat -c %s "$build/app/zipbase.mdb") bytes"
