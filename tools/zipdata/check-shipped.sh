#!/usr/bin/env bash
# Checks that the committed zip table, data/SOURCES and the zip data blocks of README.md
# and data/NOTICE are what tools/zipdata/build.js gives from the pinned packages. Installs
# the packages (npm ci: the lock file's tarball hashes are checked) into WORK_DIR.
# Exits 77 (skipped) with a message when npm or its registry cannot be reached.
# Usage: check-shipped.sh WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$1
if ! command -v npm >/dev/null || ! command -v node >/dev/null; then
  echo "skipped: node and npm are not installed"
  exit 77
fi
if ! reason=$(npm ping --fetch-retries=0 --fetch-timeout=20000 2>&1); then
  echo "skipped: the npm registry cannot be reached:"
  grep -m 3 -i 'err' <<<"$reason" || true
  exit 77
fi
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$work/"
(cd "$work" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)
node "$here/build.js" --check --modules "$work/node_modules"
