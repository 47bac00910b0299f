#!/usr/bin/env bash
# Installs what is missing, builds the optimised program alone (no tests, no benchmarks) and
# starts it. A second run with nothing changed starts the program at once and prints nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -gt 0 ]; then
    echo "usage: scripts/run.sh" >&2
    echo "The program reads no command line; the arguments given ($*) are not passed on." >&2
    exit 2
fi

bash scripts/install-deps.sh --run

build=build/run
target=VLFreeSubconsciousSelfNumber

# Configure only once: afterwards the build itself re-runs CMake when a CMake file changes.
if [ ! -f "$build/build.ninja" ]; then
    echo "Configuring the optimised build in $build ..."
    log=$(cmake --preset run 2>&1) || { printf '%s\n' "$log" >&2; exit 1; }
fi

# Show the build's own progress when something is rebuilt, nothing when all is up to date.
# (pipefail ends the script when the build fails.)
cmake --build --preset run 2>&1 | { grep --line-buffered -v '^ninja: no work to do\.$' || true; }

exec "$build/src/app/$target"
