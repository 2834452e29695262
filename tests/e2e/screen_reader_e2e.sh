#!/usr/bin/env bash
# The window as a person who uses a screen reader and no mouse meets it: the real program
# on an X server (Xvfb) and a private session bus with the AT-SPI registry; every step a
# key press; everything read back through AT-SPI (screen_reader.py): the entry list, the
# results, the progress bar, the row that the Down key focuses; at the end a text file
# saved through the save dialog, with the keyboard.
# Usage: screen_reader_e2e.sh PROGRAM EXPECTED_CLIPBOARD_FILE
set -euo pipefail
if [ -z "${QUELLIST_PRIVATE_BUS:-}" ]; then
  QUELLIST_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
program=$1
expected=$2
here=$(dirname "$0")
source "$here/e2e_lib.sh"
reader() { /usr/bin/python3 "$here/screen_reader.py" "$@"; }

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null || true; cleanup' EXIT
sleep 1
# What a desktop with a screen reader running turns on through the bus.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program "$program"
reader wait-app
xdotool windowfocus --sync "$main" # no window manager here gives it the keyboard

expect_line() { # TEXT COMMAND...: the command's output holds the line TEXT
  local want=$1 seen
  shift
  seen=$("$@")
  grep -qxF -- "$want" <<<"$seen" && return 0
  printf 'expected the line %q in:\n%s\n' "$want" "$seen" >&2
  return 1
}
press() { xdotool key "$@"; sleep 0.3; }
refocus() { xdotool windowfocus --sync "$main"; }
check "the progress bar at rest reads its value" expect_line "value 0" reader progress
check "the progress bar at rest reads its text" expect_line "text Progress Bar" reader progress
reader tab-to "Load Sample/Example Data"
check "new entries are announced on the entry list" \
  expect_line "object:children-changed:add	list	Zip Codes Or City, States" \
  reader hear object:children-changed space
reader tab-to "Start Converting"
press space
close_message # Done.
refocus

first_result=$(head -n 1 "$expected" | tr -d '\r')
result_rows=$(grep -c . "$expected")
check "the entry list is read, named by its header" \
  expect_line "row 0	NEWBURYPORT, MA	-" reader list "Zip Codes Or City, States"
check "the results are read" expect_line "row 0	$first_result	-" reader list Results
check "every result row is counted" expect_line "count $result_rows" reader list Results 0
check "the progress bar is named" expect_line "name Progress" reader progress

reader tab-to Results
check "Down focuses the first result, and it is heard" \
  expect_line "focus:	list item	$first_result" reader hear focus: Down
check "the row the keys moved to reads as selected" \
  expect_line "row 0	$first_result	selected" reader list Results 1

reader tab-to "Save Results As Text File"
press space
windows '^Save' 1 >/dev/null
sleep 0.5
xdotool type --delay 20 "$work/results.txt"
press Return
saved() {
  for _ in $(seq 50); do
    [ -s "$work/results.txt" ] && break
    sleep 0.1
  done
  grep -q "^Results" "$work/results.txt" && grep -qF "$first_result" "$work/results.txt" ||
    { echo "no saved results in $work/results.txt" >&2; return 1; }
}
check "a text file is saved without the mouse" saved
finish
