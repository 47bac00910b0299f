#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test,
# the end-to-end tests on a real X server included.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci "$@"
