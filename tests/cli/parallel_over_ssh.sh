#!/usr/bin/env bash
# GNU parallel -S over two ssh hosts on the loopback address (127.0.0.1 and 127.0.0.2,
# one sshd of this test's own on a free port, with keys made for the test): a
# 200,000-entry list converted block by block on both, --keep-order, gives the bytes of
# one local run. The sshd is stopped however the test ends.
# Usage: parallel_over_ssh.sh QUELLIST_CONVERT ZIP_TSV
set -euo pipefail
convert=$(realpath "$1")
zip_tsv=$(realpath "$2")
for tool in /usr/sbin/sshd ssh ssh-keygen parallel python3; do
  command -v "$tool" >/dev/null || {
    echo "needs $tool: scripts/install-deps.sh --tests installs it" >&2
    exit 1
  }
done
scratch=$(mktemp -d)
sshd_pid=
cleanup() {
  [ -n "$sshd_pid" ] && kill "$sshd_pid" 2>/dev/null && wait "$sshd_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
cd "$scratch"

ssh-keygen -q -t ed25519 -N '' -f host_key
ssh-keygen -q -t ed25519 -N '' -f user_key
cp user_key.pub authorized_keys
chmod 600 authorized_keys
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >sshd_config <<CONFIG
Port $port
ListenAddress 127.0.0.1
ListenAddress 127.0.0.2
HostKey $scratch/host_key
AuthorizedKeysFile $scratch/authorized_keys
PidFile $scratch/sshd.pid
StrictModes no
UsePAM no
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
LogLevel ERROR
CONFIG
# As root, sshd wants its privilege separation directory, which a fresh root lacks.
[ "$(id -u)" -ne 0 ] || mkdir -p /run/sshd
/usr/sbin/sshd -D -e -f "$scratch/sshd_config" 2>sshd.log &
sshd_pid=$!
ssh_command="ssh -F /dev/null -p $port -i $scratch/user_key -o BatchMode=yes \
-o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR"
for _ in $(seq 50); do
  $ssh_command 127.0.0.2 true 2>/dev/null && break
  sleep 0.2
done
$ssh_command 127.0.0.1 true || { cat sshd.log >&2; exit 1; }

# Zips and their places in turn, some in lower case, and entries that match nothing.
awk -F'\t' 'function out(entry) { if (n++ < 200000) print entry }
  FNR > 1 { out($1); out(tolower($2) ", " $3); if (FNR % 7 == 0) out("99999") }' \
  "$zip_tsv" "$zip_tsv" "$zip_tsv" >list.txt
[ "$(wc -l <list.txt)" -eq 200000 ]

"$convert" -q <list.txt >whole.txt
parallel --will-cite --pipe --keep-order --block 400k --ssh "$ssh_command" \
  -S 1/127.0.0.1,1/127.0.0.2 --joblog jobs.log "$convert" -q <list.txt >split.txt
cmp whole.txt split.txt
[ "$(wc -l <whole.txt)" -gt 200000 ]
# Each host converted some of the blocks.
for host in 127.0.0.1 127.0.0.2; do
  grep -q "	$host	" jobs.log || { echo "no block ran on $host" >&2; cat jobs.log >&2; exit 1; }
done
echo "$(wc -l <whole.txt) rows, the same bytes through both hosts"
