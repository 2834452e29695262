#!/usr/bin/env bash
# The mutation check of a change: scripts/mutants.sh BASE [-n N] [--seed S] [--build DIR]
# [--all-tests] [--list] [--commits C...]. Small slips in the lines added since BASE, one at
# a time, each rebuilt and tested; every file is put back however the run ends. See
# scripts/mutants.py.
set -euo pipefail
exec python3 "$(dirname "$0")/mutants.py" "$@"
