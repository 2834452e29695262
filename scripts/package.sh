#!/usr/bin/env bash
# Builds the Debian package quellist_<version>_amd64.deb into build-deb/ (or the folder
# given) with CPack, hardened as Debian builds its packages, and checks it with lintian
# and hardening-check. Install the result with: apt-get install ./build-deb/quellist_*.deb
#
# The package is reproducible: every time stamp in it (the archive's, Qt's resources')
# is the commit's time, so two builds of one commit, in any two folders, are the same
# bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-deb}
bash scripts/install-deps.sh --package
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
# Qt's resource compiler takes SOURCE_DATE_EPOCH only for files newer than it; this makes
# every resource carry the commit's time, however old its file is.
export QT_RCC_SOURCE_DATE_OVERRIDE=$SOURCE_DATE_EPOCH
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUELLIST_TESTS=OFF -DQUELLIST_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/quellist_*_amd64.deb)
# Errors fail the build; warnings are shown for the reader. No hardening tag may show.
lintian --fail-on error "$deb" | tee "$build/lintian.txt"
! grep -q hardening "$build/lintian.txt" || { echo "lintian names a hardening fault"; exit 1; }
# Every line but control-flow integrity: bookworm's C start files carry no IBT/SHSTK
# property, so no bookworm program can have it (/usr/bin/ls has not); the code is built
# with -fcf-protection all the same.
hardening-check --nocfprotection "$build"/app/quellist "$build"/app/quellist-convert
echo "built $deb"
sha256sum "$deb"
