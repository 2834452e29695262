#!/usr/bin/env bash
# How much processor time a small run of quellist-convert takes from exec to exit: an empty
# list, one entry, and --version (the program and its libraries alone), each the mean of
# RUNS runs (default 50) by perf stat's task-clock; the first start after the database is
# built or written (its check of the whole file) beside a later one.
# Usage: bench/convert_start.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-50}
command -v perf >/dev/null || { echo "needs perf (apt-get install linux-perf)"; exit 1; }
cmake --build "$build" --target quellist-convert >/dev/null
convert=$(realpath "$build/app/quellist-convert")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CACHE_HOME=$scratch/cache # the database's check remembered here alone

cpu() { # LABEL COMMAND...: the mean task-clock of the runs, standard input empty
  local ms
  ms=$(perf stat -r "$runs" -x, -e task-clock "${@:2}" </dev/null 2>&1 >/dev/null |
    awk -F, '/task-clock/ { printf "%.1f", $1 }')
  printf '%-52s %6s ms of CPU\n' "$1" "$ms"
}
printf '03053\n' >"$scratch/one.txt"
rm -rf "$XDG_CACHE_HOME"
cpu "first start, empty list (the database checked whole)" sh -c \
  'rm -rf "$XDG_CACHE_HOME"; exec "$0" -q' "$convert"
"$convert" -q </dev/null # checked once: remembered
cpu "an empty list" "$convert" -q
cpu "one entry" "$convert" -q "$scratch/one.txt"
cpu "--version" "$convert" --version
