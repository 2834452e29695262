#!/usr/bin/env bash
# Installs the Debian 12 packages that Quellist needs; only what is missing, safe to run
# again. With no argument: what building and running the program needs. With --tests:
# also what the tests, the sanitizer build, the fuzzers and the checks need. With
# --package: also what building and checking the Debian package needs.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6
  libsqlite3-dev libxlsxwriter-dev zlib1g-dev
  fonts-liberation
)
case "${1:-}" in
  --tests)
    packages+=(git sqlite3 python3 python3-openpyxl xvfb xauth xdotool xclip x11-utils libxfixes3
      clang-format clang-tidy clang libclang-rt-14-dev desktop-file-utils appstream
      dbus-daemon at-spi2-core python3-pyatspi imagemagick python3-pil
      sway wl-clipboard wtype qt6-wayland parallel
      # parallel -S over two ssh hosts on the loopback address; GeoJSON read back by GDAL.
      openssh-server openssh-client gdal-bin
      # the shells whose completion the tests try
      zsh fish)
    # The zip data build's tests; a node installed some other way serves as well.
    command -v npm >/dev/null || packages+=(nodejs npm) ;;
  --package)
    packages+=(git dpkg-dev file lintian devscripts) ;; # devscripts: hardening-check
  "") ;;
  *) echo "usage: install-deps.sh [--tests | --package]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
  # openssh-server is there for the tests' own sshd on a loopback port: the system's ssh
  # service that the package starts is stopped and disabled again, so that installing the
  # tests' packages opens no port.
  if [[ " ${missing[*]} " == *" openssh-server "* ]] && [ -d /run/systemd/system ]; then
    $sudo_cmd systemctl disable --now ssh.service ssh.socket >/dev/null 2>&1 || true
  fi
fi
