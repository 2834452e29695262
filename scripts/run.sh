#!/usr/bin/env bash
# Installs what is missing, builds Quellist with its zip-code database and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLIST_TESTS=OFF -DQUELLIST_BENCH=OFF
cmake --build build --target quellist
exec build/app/quellist "$@"
