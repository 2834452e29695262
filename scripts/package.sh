#!/usr/bin/env bash
# Builds the Debian package quellist_<version>_amd64.deb into build-deb/ with CPack and
# checks it with lintian. Install the result with: apt-get install ./build-deb/quellist_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --package
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUELLIST_TESTS=OFF -DQUELLIST_BENCH=OFF
cmake --build build-deb -j "$(nproc)"
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/quellist_*_amd64.deb)
# Errors fail the build; warnings are shown for the reader.
lintian --fail-on error "$deb"
echo "built $deb"
