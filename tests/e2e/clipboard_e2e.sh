#!/usr/bin/env bash
# End to end, as a person would: the real program on an X server (Xvfb); clicks on
# "Load Sample/Example Data", "Start Converting" and "Copy Results To Clipboard"; the
# message boxes closed with Return; the clipboard read with xclip.
# Usage: clipboard_e2e.sh PROGRAM EXPECTED_CLIPBOARD_FILE
set -euo pipefail
program=$1
expected=$2
source "$(dirname "$0")/e2e_lib.sh"

start_program "$program"
click 400 214 # Load Sample/Example Data
sleep 0.3
click 268 305 # Start Converting
close_message # Done.
click 136 499 # Copy Results To Clipboard
close_message # Results have been copied to the clipboard.

xclip -o -selection clipboard >"$work/clipboard"
same_as_expected() {
  cmp -s "$work/clipboard" "$expected" && return 0
  echo "the clipboard differs from $expected:" >&2
  diff <(od -c "$work/clipboard") <(od -c "$expected") | head -20 >&2
  return 1
}
check "clipboard holds the converted sample" same_as_expected
finish
