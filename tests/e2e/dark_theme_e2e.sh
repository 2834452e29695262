#!/usr/bin/env bash
# The window on a dark desktop (KDE's Breeze Dark colours, which Qt takes from kdeglobals):
# the window stays white as it is designed, and every text must stay readable on its own
# background. A screenshot of the real window; the WCAG contrast (at least 4.5:1) of the
# frame's label on the white background and of the lists' header strips.
# Usage: dark_theme_e2e.sh PROGRAM
set -euo pipefail
program=$1
here=$(dirname "$0")
source "$here/e2e_lib.sh"

mkdir -p "$XDG_CONFIG_HOME"
cat >"$XDG_CONFIG_HOME/kdeglobals" <<'COLOURS'
[General]
ColorScheme=BreezeDark
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=239,240,241
[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=239,240,241
COLOURS
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true
start_program "$program"
eval "$(xdotool getwindowgeometry --shell "$main")" # X and Y of the window
import -window root "$work/screen.png"

readable() { # WHAT X Y WIDTH HEIGHT, in the window's pixels (twips / 15)
  local what=$1 ratio
  ratio=$(/usr/bin/python3 "$here/contrast.py" "$work/screen.png" $((X + $2)) $((Y + $3)) "$4" "$5")
  awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }' && return 0
  echo "$what: contrast $ratio:1, below 4.5:1" >&2
  return 1
}
check "the frame's label on white" readable "Frame1's label" 8 231 500 16
check "the entry list's header strip" readable "ListView1's header" 9 43 460 16
check "the results list's header strip" readable "ListView2's header" 9 326 460 16
finish
