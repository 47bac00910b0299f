#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exe=build/release/src/app/VLFreeSubconsciousSelfNumber
if [ ! -x "$exe" ]; then
  echo "The program's windows are not built yet; nothing to start."
  exit 0
fi
exec "$exe"
