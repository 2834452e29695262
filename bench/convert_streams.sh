#!/usr/bin/env bash
# quellist-convert on inputs that once took the machine's memory: binary streams, one
# endless line, and a list that arrives through a pipe. Peak resident memory of each
# (a figure, not a pass or fail).
# Usage: bench/convert_streams.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (apt-get install time)"; exit 1; }
cmake --build "$build" --target quellist-convert bench_make_list >/dev/null
convert=$build/app/quellist-convert
scratch=$(mktemp -d /var/tmp/quellist-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

measure() { # LABEL SHELL-COMMAND: the converter's seconds, peak MB and exit status
  /usr/bin/time -f '%e %M %x' -o "$scratch/time" bash -c "$2" >/dev/null 2>&1 || true
  read -r seconds kb status < <(tail -n 1 "$scratch/time")
  printf '%-44s %7.2f s %6d MB peak   status %s\n' "$1" "$seconds" $((kb / 1024)) "$status"
}
head -c 200000000 /dev/zero | tr '\0' A >"$scratch/line.txt"
"$build/bench/bench_make_list" "$scratch/list.txt" 4000000 >/dev/null
measure "300 MB of NUL bytes through a pipe" "head -c 300000000 /dev/zero | $convert"
measure "/dev/zero named as the input" "$convert /dev/zero"
measure "/dev/urandom named as the input" "$convert /dev/urandom"
measure "one 200 MB line, a file, --unmatched" "$convert $scratch/line.txt --unmatched $scratch/u"
measure "one 200 MB line through a pipe, --unmatched" \
  "cat $scratch/line.txt | $convert --unmatched $scratch/u"
measure "$(du -m "$scratch/list.txt" | cut -f1) MB list named as a file" "$convert -q $scratch/list.txt -o $scratch/rows"
measure "the same list through a pipe" "cat $scratch/list.txt | $convert -q -o $scratch/rows"
