#!/usr/bin/env bash
# quellist-convert on people's data: a csv table of 8 columns (default 10,000,000
# records) enriched by its zip column; standard input of 50 MB and 5 GB made on the fly,
# whose peaks should match; the benchmarks' mix (default 10,000,000 entries) whole and
# through GNU parallel -j2; and --loose against exact names on 1,000,000 entries.
# Usage: bench/convert_tables.sh [BUILD_DIR] [RECORDS] [ENTRIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
records=${2:-10000000}
entries=${3:-10000000}
for tool in /usr/bin/time parallel; do
  command -v $tool >/dev/null || { echo "needs $tool (apt-get install time parallel)"; exit 1; }
done
cmake --build "$build" --target quellist-convert bench_make_list >/dev/null
convert=$(realpath "$build/app/quellist-convert")
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

measure() { # LABEL SHELL-COMMAND: seconds and peak MB of the biggest process
  /usr/bin/time -f '%e %M %x' -o "$scratch/time" bash -c "$2" >/dev/null
  read -r seconds kb status < <(tail -n 1 "$scratch/time")
  printf '%-52s %7.2f s %6d MB peak   status %s\n' "$1" "$seconds" $((kb / 1024)) "$status"
  echo "$seconds" >"$scratch/seconds"
}

# Records of customers: every zip of the table in turn, among seven other columns.
cut -f1 data/us-zip-codes.tsv | awk -v n="$records" '
  { zip[NR] = $1 } END {
    print "id,first,last,street,city,state,zip,phone"
    for (i = 1; i <= n; i++)
      printf "%d,Ada,\"Hale, Jr\",%d Elm St,Springfield,MA,%s,555-%04d\n", i, i % 997, zip[i % NR + 1], i % 10000
  }' >"$scratch/table.csv"
echo "table: $records records, $(du -m "$scratch/table.csv" | cut -f1) MB"
measure "csv table by its zip column, to a file" \
  "$convert -q --column zip -o $scratch/out.csv $scratch/table.csv"
echo "records written: $(wc -l <"$scratch/out.csv")"
measure "the same table through a pipe" \
  "cat $scratch/table.csv | $convert -q --column zip -o $scratch/out.csv"

measure "standard input, 50 MB made on the fly" \
  "yes 03053 | head -c 50000000 | $convert -q -o /dev/null"
measure "standard input, 5 GB made on the fly" \
  "yes 03053 | head -c 5000000000 | $convert -q -o /dev/null"

# Medians of alternating runs: this machine's timings wander by a fifth from run to run.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
compare() { # LABEL RUNS COMMAND-A COMMAND-B: the median seconds of each, and B's against A's
  : >"$scratch/a"
  : >"$scratch/b"
  for _ in $(seq "$2"); do
    measure "  $1: A" "$3" >/dev/null
    cat "$scratch/seconds" >>"$scratch/a"
    measure "  $1: B" "$4" >/dev/null
    cat "$scratch/seconds" >>"$scratch/b"
  done
  local a b
  a=$(median <"$scratch/a")
  b=$(median <"$scratch/b")
  awk -v l="$1" -v a="$a" -v b="$b" -v n="$2" \
    'BEGIN { printf "%-52s A %5.2f s, B %5.2f s (medians of %d): B/A %.2f, A/B %.2fx\n", l, a, b, n, b / a, a / b }'
}

"$build/bench/bench_make_list" "$scratch/list.txt" "$entries" >/dev/null
grep -aE '^[0-9]{5}' "$scratch/list.txt" >"$scratch/half.txt"
cat "$scratch/half.txt" "$scratch/half.txt" >"$scratch/zips.txt"
echo "mix: $entries entries; zips: $(wc -l <"$scratch/zips.txt") zip code entries, one row each"
split -n l/2 "$scratch/zips.txt" "$scratch/zips-half."
for list in list zips; do
  "$convert" -q -o "$scratch/whole.txt" "$scratch/$list.txt"
  parallel --pipe --keep-order -j2 --block 10M "$convert" -q <"$scratch/$list.txt" >"$scratch/split.txt"
  cmp "$scratch/whole.txt" "$scratch/split.txt" && echo "$list through parallel: byte-identical rows"
  compare "$list: whole (A), parallel --pipe -j2 --block 10M (B)" 5 \
    "$convert -q -o $scratch/whole.txt $scratch/$list.txt" \
    "parallel --pipe --keep-order -j2 --block 10M $convert -q <$scratch/$list.txt >$scratch/split.txt"
  compare "$list: whole (A), parallel --pipepart --block -1 -j2 (B)" 5 \
    "$convert -q -o $scratch/whole.txt $scratch/$list.txt" \
    "parallel --pipepart -a $scratch/$list.txt --block -1 --keep-order -j2 $convert -q >$scratch/split.txt"
done
# The machine's own ceiling: the two halves as two plain runs at once, no parallel.
compare "zips: whole (A), its two halves at once (B)" 5 \
  "$convert -q -o $scratch/whole.txt $scratch/zips.txt" \
  "$convert -q -o $scratch/h1 $scratch/zips-half.aa & $convert -q -o $scratch/h2 $scratch/zips-half.ab; wait"

"$build/bench/bench_make_list" "$scratch/short.txt" 1000000 >/dev/null
compare "1,000,000 entries: exact (A), --loose (B)" 9 \
  "$convert -q -o /dev/null $scratch/short.txt" "$convert -q --loose -o /dev/null $scratch/short.txt"
# Wall-clock medians here wander more than the 5% asked of --loose: instructions, counted by
# callgrind where valgrind is installed, do not.
if command -v valgrind >/dev/null; then
  for mode in exact --loose; do
    flag=$([ "$mode" = --loose ] && echo --loose || true)
    count=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$convert" -q $flag \
      -o /dev/null "$scratch/short.txt" 2>&1 | grep -o 'Collected : [0-9]*' | grep -o '[0-9]*$')
    echo "$mode" "$count" >>"$scratch/instructions"
    printf '1,000,000 entries, %-8s %16d instructions\n' "$mode" "$count"
  done
  awk '{ n[NR] = $2 } END { printf "--loose against exact: %+.2f%% instructions\n", (n[2] / n[1] - 1) * 100 }' \
    "$scratch/instructions"
fi
