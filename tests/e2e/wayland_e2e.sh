#!/usr/bin/env bash
# The window on Wayland with no X server at all, as on a GNOME or sway desktop without
# Xwayland: a headless sway, the program on Qt's Wayland platform. The compositor must know
# the window by the desktop entry's id (com.tarnwell.Quellist, which matches it to its
# launcher and icon); the sample list converts, clicked through AT-SPI by the buttons'
# names, and the copied rows are read back with wl-paste.
# Usage: wayland_e2e.sh PROGRAM EXPECTED_CLIPBOARD_FILE
set -euo pipefail
if [ -z "${QUELLIST_PRIVATE_BUS:-}" ]; then
  QUELLIST_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
program=$1
expected=$2
here=$(dirname "$0")
work=$(mktemp -d)
chmod 755 "$work"
passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name" >&2; fi
}

# sway will not run as root: the compositor runs as nobody, in a runtime folder of its own.
runtime=$work/run
mkdir -m 700 "$runtime"
compositor=()
[ "$(id -u)" -eq 0 ] && { chown 65534:65534 "$runtime"; compositor=(setpriv --reuid=65534 --regid=65534 --clear-groups); }
printf 'output HEADLESS-1 resolution 1024x768\n' >"$work/sway.conf"
env XDG_RUNTIME_DIR="$runtime" HOME="$work" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman "${compositor[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
trap 'kill "${app_pid:-}" "$sway_pid" "$bus_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -S "$runtime/wayland-1" ] && break; sleep 0.1; done
[ -S "$runtime/wayland-1" ] || { cat "$work/sway.log" >&2; echo "sway did not start" >&2; exit 1; }
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-1 QT_QPA_PLATFORM=wayland
export SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock) E2E_KEYS=wtype
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 BROWSER=true HOME=$work XDG_CONFIG_HOME=$work/config
unset DISPLAY
reader() { /usr/bin/python3 "$here/screen_reader.py" "$@"; }

"$program" 2> >(grep -v "is not owned by UID" >&2) &
app_pid=$!
# The app ids of the windows the compositor shows.
app_ids() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id"):
        print(node["app_id"])
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
windows() { # N: waits until the program shows N windows
  for _ in $(seq 300); do
    [ "$(app_ids | grep -c .)" -eq "$1" ] && return 0
    sleep 0.1
  done
  echo "expected $1 window(s), seeing: $(app_ids | tr '\n' ' ')" >&2
  return 1
}
# The message box has the focus: Return closes it. The seat has no keyboard but wtype's
# virtual one, which appears as wtype starts: the key waits until the window has taken it.
close_message() {
  windows 2 && wtype -s 700 -k Return && windows 1
}
windows 1
reader wait-app
named_by_its_desktop_entry() {
  [ "$(app_ids)" = "com.tarnwell.Quellist" ] || { echo "app id: $(app_ids)" >&2; return 1; }
}
check "the window's app id is the desktop entry's" named_by_its_desktop_entry

reader click "Load Sample/Example Data"
reader click "Start Converting"
close_message # Done.
reader click "Copy Results To Clipboard"
close_message # Results have been copied to the clipboard.
copied_rows() {
  wl-paste --no-newline >"$work/clipboard" || { echo "wl-paste read nothing" >&2; return 1; }
  cmp -s "$work/clipboard" "$expected" && return 0
  diff <(od -c "$work/clipboard") <(od -c "$expected") | head -20 >&2
  return 1
}
check "wl-paste reads the converted sample" copied_rows
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
