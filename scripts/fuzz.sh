#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for FUZZ_SECONDS (default 30) from its committed seed corpus. New inputs go
# to a scratch copy, not into the repository. A crash stops the script; its input is kept
# in build-fuzz/crashes/ for a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUELLIST_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
cmake --build build-fuzz -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p build-fuzz/crashes
total=0
for target in list_file table_records entry_rules column_layout zip_tsv cursor_file zip_lookup; do
  mkdir -p "$scratch/$target"
  seeds=(tests/fuzz/corpus/$target)
  [ "$target" = list_file ] && seeds+=(tests/data/import)
  log="$scratch/$target.log"
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -rss_limit_mb=4096 -artifact_prefix="build-fuzz/crashes/$target-" \
      "$scratch/$target" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target: crash; the input is in build-fuzz/crashes/"
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  total=$((total + runs))
  printf 'fuzz_%-14s %10d executions in %ss, no crash\n' "$target" "$runs" "$seconds"
done
printf 'fuzzing: %d executions in all, no crash\n' "$total"
