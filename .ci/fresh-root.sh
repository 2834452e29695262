# Sourced by .ci/run: pristine Debian 12 roots (debootstrap --variant=minbase bookworm),
# as bare as a new user's machine, to run the project's commands in.
#
# The minbase root is made once and cached outside the checkout; every CI run works on
# fresh copies of it. A root gets /proc, /sys and /dev mounted and the host's X socket
# folder bound in, so that a window opened inside shows on an X server outside.

QUELLIST_ROOT_CACHE=${QUELLIST_ROOT_CACHE:-/var/cache/quellist-ci/bookworm-minbase}
CHROOT_PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin

# Installs on the host, when missing, what making and driving the roots needs.
host_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Makes the cached minbase root if it is not there yet; a half-made one is thrown away.
ensure_base_root() {
  [ -x "$QUELLIST_ROOT_CACHE/bin/bash" ] && [ -f "$QUELLIST_ROOT_CACHE/.complete" ] && return 0
  local tmp=$QUELLIST_ROOT_CACHE.tmp
  rm -rf --one-file-system "$tmp"
  mkdir -p "$(dirname "$QUELLIST_ROOT_CACHE")"
  echo "making a pristine Debian 12 root in $QUELLIST_ROOT_CACHE"
  debootstrap --variant=minbase bookworm "$tmp" http://deb.debian.org/debian >"$tmp.log" 2>&1 ||
    { tail -n 20 "$tmp.log"; return 1; }
  touch "$tmp/.complete"
  rm -rf --one-file-system "$QUELLIST_ROOT_CACHE"
  mv "$tmp" "$QUELLIST_ROOT_CACHE"
}

# Lists the mount points at or below a folder, deepest first.
mounts_below() {
  awk -v dir="$1" '$2 == dir || index($2, dir "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}

# Unmounts everything below a folder and removes it. Refuses to remove anything while a
# mount is left, so that a bound /dev is never emptied.
remove_roots() {
  local dir=$1 m
  [ -e "$dir" ] || return 0
  for m in $(mounts_below "$dir"); do umount -R "$m" 2>/dev/null || umount -l "$m" || true; done
  if [ -n "$(mounts_below "$dir")" ]; then
    echo "still mounted below $dir; not removing it" >&2
    return 1
  fi
  rm -rf --one-file-system "$dir"
}

# new_root DIR: a fresh copy of the cached root with its mounts, ready for chroot.
new_root() {
  local root=$1
  mkdir -p "$(dirname "$root")"
  cp -a "$QUELLIST_ROOT_CACHE" "$root"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # The network's own certificate authorities (a proxy that inspects TLS), as the host
  # trusts them, for npm to reach its registry: like resolv.conf a fact of the network,
  # not a package the project fails to install.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    cat /usr/local/share/ca-certificates/*.crt >"$root/etc/network-ca.pem"
  fi
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
  mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
  mkdir -p /tmp/.X11-unix "$root/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
}

# in_root DIR COMMAND: runs a bash command as root inside, with an environment as plain
# as a new login's (HOME, PATH, CI and DISPLAY only, and the network's certificates).
in_root() {
  local root=$1
  shift
  local network_ca=()
  [ -f "$root/etc/network-ca.pem" ] && network_ca=(NODE_EXTRA_CA_CERTS=/etc/network-ca.pem)
  chroot "$root" /usr/bin/env -i HOME=/root PATH="$CHROOT_PATH" CI="${CI:-true}" \
    ${DISPLAY:+DISPLAY="$DISPLAY"} "${network_ca[@]}" /bin/bash -c "$1"
}

# Starts an X server on the host; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  # -noreset: the window's search below comes and goes; a server that resets when its
  # last client leaves refuses the program that connects meanwhile.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
  DISPLAY=:$(cat "$fd_file")
  export DISPLAY
  rm -f "$fd_file"
}
