# Sourced by the end-to-end tests: a private X server (Xvfb), the real program on it, and
# the few moves a person makes: wait for a window, click, press Return, read the clipboard.
# Sets work, DISPLAY, and app_pid once start_program has run.

work=$(mktemp -d)
cleanup() {
  kill "${app_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
  # The next test's server may take this display's number: this one is gone first.
  [ -z "${xvfb_pid:-}" ] || wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
# One start in a hundred opens the maker's web site; with no browser on the machine that
# start reports a failure over the window. A browser that does nothing keeps every start
# alike.
export BROWSER=true
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# -noreset: an X server resets when its last client leaves (here the AT-SPI launcher, or the
# check below), and a program that connects during the reset finds no display.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done # a busy machine
export DISPLAY=:$(cat "$work/display")
unset QT_QPA_PLATFORM
# Nothing starts before the server answers a client.
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "the X server (Xvfb) on display $DISPLAY does not answer:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

start_program() {
  "$@" &
  app_pid=$!
  main=$(windows '^Quellist$' 1)
  sleep 0.5
}

# windows NAME N: waits until N visible windows match the name; prints the first one's id.
windows() {
  local name=$1 want=$2 ids
  for _ in $(seq 600); do # up to a minute: long enough under valgrind
    ids=$(xdotool search --onlyvisible --name "$name" 2>/dev/null || true)
    if [ "$(printf '%s\n' $ids | grep -c .)" -ge "$want" ]; then
      printf '%s\n' $ids | head -n 1
      return 0
    fi
    sleep 0.1
  done
  echo "timed out waiting for $want window(s) named $name" >&2
  return 1
}

# Positions in the main window's pixels, from the designed positions in twips (15 to a
# pixel).
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }

# Waits for a message box over the window and closes it with Return.
close_message() {
  windows '^Quellist$' 2 >/dev/null
  sleep 0.3
  xdotool key Return
  for _ in $(seq 600); do
    [ "$(xdotool search --onlyvisible --name '^Quellist$' | grep -c .)" -eq 1 ] && return 0
    sleep 0.1
  done
  echo "the message box did not close" >&2
  return 1
}

# check NAME COMMAND...: one named case; counts it and says what failed.
passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
