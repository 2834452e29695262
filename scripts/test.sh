#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once with warnings as
# errors, once under AddressSanitizer and UndefinedBehaviorSanitizer. Checks formatting and
# clang-tidy's findings (none allowed), and runs every fuzz target for FUZZ_SECONDS (default 30) seconds. Validates the installed
# desktop entry and metainfo.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
jobs=$(nproc)

echo "== formatting"
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
  'bench/*.cpp' 'bench/*.h' | xargs clang-format --dry-run -Werror

echo "== build and test (warnings as errors)"
cmake -S . -B build-ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELLIST_WERROR=ON \
  -DQUELLIST_BENCH=ON
cmake --build build-ci -j "$jobs"
ctest --test-dir build-ci --output-on-failure -j "$jobs"

echo "== clang-tidy (.clang-tidy), over what the build above compiled"
run-clang-tidy -p build-ci -j "$jobs" -quiet "^$PWD/(src|tools/zipbase|tests|bench)/.*\.cpp\$" \
  >build-ci/clang-tidy.log 2>&1 || { grep -E "(warning|error):" build-ci/clang-tidy.log; exit 1; }

echo "== installed files: desktop entry and AppStream metainfo validated"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install build-ci --prefix /usr >/dev/null
desktop-file-validate "$stage"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml
bash scripts/check-install-layout.sh "$stage/usr"

echo "== build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUELLIST_WERROR=ON \
  -DQUELLIST_SANITIZE=ON -DQUELLIST_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing (libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer)"
bash scripts/fuzz.sh
