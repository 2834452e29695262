#!/usr/bin/env bash
# Makes docs/screenshot.png, the window the README shows: the real program on a private X
# server (Xvfb), a list loaded through "Load City, State or Zip From File" as a person does
# it, converted with "Start Converting", the window photographed with ImageMagick.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (the test command installs what it needs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for tool in Xvfb xdotool import; do
  command -v $tool >/dev/null || { echo "needs $tool: bash scripts/install-deps.sh --tests"; exit 1; }
done
cmake --build "$build" --target quellist >/dev/null
source tests/e2e/e2e_lib.sh # a private X server, start_program, click, close_message
printf '03053\r\nConcord, NH\r\n86044\r\n' >"$work/customers.txt"
start_program "$build/app/quellist"
click 400 181 # Load City, State or Zip From File
windows '^Load List' 1 >/dev/null
sleep 0.5
xdotool type --delay 20 "$work/customers.txt"
xdotool key Return
sleep 0.5
click 268 305 # Start Converting
close_message # Done.
sleep 0.5
import -window "$main" docs/screenshot.png
echo "written: docs/screenshot.png ($(identify -format '%wx%h' docs/screenshot.png))"
