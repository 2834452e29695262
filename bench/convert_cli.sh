#!/usr/bin/env bash
# quellist-convert on a long list of the benchmarks' mix (default 10,000,000 entries)
# through --format rows to a file: time and peak memory. Then a shorter list (default
# 1,000,000 entries: the package scans a whole state for every city) through both
# quellist-convert and the npm package zipcodes (bench/node/convert.js), and the ratio.
# Usage: bench/convert_cli.sh [BUILD_DIR] [ENTRIES] [NODE_ENTRIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
entries=${2:-10000000}
node_entries=${3:-1000000}
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (apt-get install time)"; exit 1; }
cmake --build "$build" --target quellist-convert bench_make_list >/dev/null
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

"$build/bench/bench_make_list" "$scratch/list.txt" "$entries"
echo "list: $entries entries, $(du -m "$scratch/list.txt" | cut -f1) MB"

measure() { # label, command...: prints seconds and peak MB
  local label=$1
  shift
  /usr/bin/time -f '%e %M' -o "$scratch/time" "$@"
  read -r seconds kb <"$scratch/time"
  printf '%-18s %8.2f s %8d MB peak\n' "$label" "$seconds" $((kb / 1024))
  echo "$seconds"  >"$scratch/$label.seconds"
}
measure quellist-convert "$build/app/quellist-convert" -q --format rows -o "$scratch/rows.txt" "$scratch/list.txt"
echo "rows written: $(wc -l <"$scratch/rows.txt")"

if [ ! -d "$build/bench-node/node_modules/zipcodes" ]; then
  mkdir -p "$build/bench-node"
  cp bench/node/package.json "$build/bench-node/"
  (cd "$build/bench-node" && npm install --no-audit --no-fund --silent >/dev/null)
fi
cp bench/node/convert.js "$build/bench-node/"
"$build/bench/bench_make_list" "$scratch/short.txt" "$node_entries"
echo "short list: $node_entries entries"
measure quellist-convert "$build/app/quellist-convert" -q --format rows -o "$scratch/rows.txt" "$scratch/short.txt"
measure zipcodes-node node --max-old-space-size=8192 "$build/bench-node/convert.js" "$scratch/short.txt" "$scratch/node-rows.txt"
echo "rows written by zipcodes: $(wc -l <"$scratch/node-rows.txt")"
awk -v a="$(cat "$scratch/quellist-convert.seconds")" -v b="$(cat "$scratch/zipcodes-node.seconds")" \
  'BEGIN { printf "zipcodes / quellist-convert: %.1f times the time\n", b / a }'
