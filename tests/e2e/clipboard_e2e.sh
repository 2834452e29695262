#!/usr/bin/env bash
# End to end, as a person would: the real program on an X server (Xvfb); clicks on
# "Load Sample/Example Data", "Start Converting" and "Copy Results To Clipboard"; the
# message boxes closed with Return; the clipboard read with xclip.
# Usage: clipboard_e2e.sh PROGRAM EXPECTED_CLIPBOARD_FILE
set -euo pipefail
program=$1
expected=$2

work=$(mktemp -d)
cleanup() {
  kill "${app_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
unset QT_QPA_PLATFORM

"$program" &
app_pid=$!

# Waits until N windows named Quellist are visible; prints the first one's id.
windows() {
  local want=$1
  for _ in $(seq 600); do # up to a minute: long enough under valgrind
    ids=$(xdotool search --onlyvisible --name '^Quellist$' 2>/dev/null || true)
    if [ "$(printf '%s\n' $ids | grep -c .)" -ge "$want" ]; then
      printf '%s\n' $ids | head -n 1
      return 0
    fi
    sleep 0.1
  done
  echo "timed out waiting for $want Quellist window(s)" >&2
  return 1
}

# Button centres in window pixels, from the designed positions in twips (15 to a pixel).
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }
close_message() {
  windows 2 >/dev/null
  sleep 0.3
  xdotool key Return
  for _ in $(seq 600); do
    [ "$(xdotool search --onlyvisible --name '^Quellist$' | grep -c .)" -eq 1 ] && return 0
    sleep 0.1
  done
  echo "the message box did not close" >&2
  return 1
}

main=$(windows 1)
sleep 0.5
click 400 214 # Load Sample/Example Data
sleep 0.3
click 268 305 # Start Converting
close_message # Done.
click 136 499 # Copy Results To Clipboard
close_message # Results have been copied to the clipboard.

xclip -o -selection clipboard >"$work/clipboard"
if cmp -s "$work/clipboard" "$expected"; then
  echo "1 passed, 0 failed"
else
  echo "the clipboard differs from $expected:" >&2
  diff <(od -c "$work/clipboard") <(od -c "$expected") | head -20 >&2
  echo "0 passed, 1 failed"
  exit 1
fi
