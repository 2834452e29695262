#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each from its committed corpus: for FUZZ_SECONDS (default 30) seconds, or for a
# number of executions.
#
#   scripts/fuzz.sh                      every target for FUZZ_SECONDS (what CI runs)
#   scripts/fuzz.sh --runs 10000000      every target for that many executions
#   scripts/fuzz.sh --runs N --keep      ... and the grown corpus, minimised, back into
#                                        tests/fuzz/corpus/ so that later runs start from it
#   scripts/fuzz.sh ... TARGET...        only these targets (list_file, zip_tsv, ...)
#
# New inputs go to a scratch copy unless --keep. A crash stops the script; its input is
# kept in build-fuzz/crashes/ for a regression test. Each target's line gives its
# executions, the coverage it reached (edges), the inputs it added and its peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
runs=""
keep=false
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --keep) keep=true; shift ;;
    -*) echo "usage: fuzz.sh [--runs N] [--keep] [TARGET...]" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -gt 0 ] ||
  targets=(list_file table_records entry_rules column_layout zip_tsv cursor_file zip_lookup)

# Debug keeps Qt's and our asserts; -O1 runs the targets about six times faster than -O0
# (table_records: 3,800 executions a second against 675), as libFuzzer advises.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUELLIST_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" >/dev/null
cmake --build build-fuzz -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p build-fuzz/crashes
limit=(-max_total_time="$seconds")
[ -n "$runs" ] && limit=(-runs="$runs")
stat() { grep -o "$1: *[0-9]*" "$2" | tail -n 1 | grep -o '[0-9]*$' || echo 0; }
total=0
for target in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$target
  grown=$scratch/$target
  mkdir -p "$grown" "$corpus"
  seeds=("$corpus")
  [ "$target" = list_file ] && seeds+=(tests/data/import)
  log="$scratch/$target.log"
  fuzzer=build-fuzz/tests/fuzz/fuzz_$target
  export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
  if ! "$fuzzer" "${limit[@]}" -print_final_stats=1 -rss_limit_mb=4096 \
    -artifact_prefix="build-fuzz/crashes/$target-" "$grown" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target: crash; the input is in build-fuzz/crashes/"
    exit 1
  fi
  executions=$(stat 'stat::number_of_executed_units' "$log")
  total=$((total + executions))
  printf 'fuzz_%-14s %10d executions, coverage %s edges, %s inputs added, peak %s MB, no crash\n' \
    "$target" "$executions" "$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*')" \
    "$(stat 'stat::new_units_added' "$log")" "$(stat 'stat::peak_rss_mb' "$log")"
  if $keep; then # the seeds and what was found, minimised to the inputs that add coverage
    minimal=$scratch/$target.minimal
    mkdir -p "$minimal"
    "$fuzzer" -merge=1 "$minimal" "$corpus" "$grown" >"$log.merge" 2>&1
    # Inputs are named by their hash; a seed written by hand keeps its name, once.
    find "$corpus" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
    cp "$minimal"/* "$corpus"/
    for seed in "$corpus"/*; do
      [[ $(basename "$seed") =~ ^[0-9a-f]{40}$ ]] ||
        rm -f "$corpus/$(sha1sum <"$seed" | cut -c1-40)"
    done
    echo "  corpus kept: $(ls "$corpus" | wc -l) inputs in $corpus"
  fi
done
printf 'fuzzing: %d executions in all, no crash\n' "$total"
