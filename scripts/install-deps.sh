#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Quellist need.
# Only what is missing is installed; safe to run again.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6
  libsqlite3-dev sqlite3 libxlsxwriter-dev python3-openpyxl qt6-qpa-plugins
  fonts-liberation
  xvfb xauth xdotool xclip
  clang-format clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
