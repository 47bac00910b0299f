#!/usr/bin/env bash
# Cross-builds GoogleTest and GoogleMock for 64-bit Windows from the sources Debian ships in
# /usr/src/googletest (package googletest), once per machine: cached beside the Qt build,
# keyed by the GoogleTest version and the toolchain file. Prints the install prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
source_dir=/usr/src/googletest

version="$(dpkg-query -W -f='${Version}' googletest)"
key="$( { echo "$version"; cat "$toolchain"; } | sha256sum | cut -c1-12)"
cache="${SSN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vl-ssn-windows}"
prefix="$cache/googletest-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

build="$(mktemp -d)"
trap 'rm -rf "$build"' EXIT
# Static libraries: the test programs then need no GoogleTest DLL beside them.
cmake -S "$source_dir" -B "$build" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
cmake --install "$build" >/dev/null
touch "$prefix/.complete"
echo "$prefix"
