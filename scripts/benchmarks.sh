#!/usr/bin/env bash
# Builds the optimised preset and runs every benchmark: the core count once, then Next to
# report and Start-up on Qt's offscreen platform and on a private X server (Xvfb with openbox).
# BENCHMARKS.md explains the figures.
#
# Then the sizes of the executable and of the Debian package, and the fuzzing rates.
#
# Usage: scripts/benchmarks.sh [next-rounds] [starts] [fuzz-seconds]
#   next-rounds   Next/floor pairs of the Next-to-report benchmark (default 100)
#   starts        starts of each program in the Start-up benchmark (default 40)
#   fuzz-seconds  how long each fuzz target runs (default 60; the recorded rates used 600)
# SSN_BENCH_BUILD_DIR=<folder> builds a Release tree there instead of the release preset's.
set -euo pipefail
cd "$(dirname "$0")/.."

next_rounds=${1:-100}
starts=${2:-40}
fuzz_seconds=${3:-60}
targets=(core_bench next_report_bench startup_bench VLFreeSubconsciousSelfNumber)

bash scripts/install-deps.sh
if [ -n "${SSN_BENCH_BUILD_DIR:-}" ]; then
  build=$SSN_BENCH_BUILD_DIR
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target "${targets[@]}"
else
  build=build/release
  cmake --preset release >/dev/null
  cmake --build --preset release --target "${targets[@]}"
fi

x_pids=()
work=$(mktemp -d "${TMPDIR:-/tmp}/ssn-bench.XXXXXX")
cleanup() {
  local pid
  for pid in "${x_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Nothing here may reach the user's own display or desktop session.
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER

# Waits up to 30 s for a command to succeed.
wait_for() {
  local tries=0
  until "$@" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -le 600 ] || { echo "gave up waiting for: $*" >&2; exit 1; }
    sleep 0.05
  done
}

# Starts Xvfb on a free display (it picks the number itself) and openbox on it.
start_x() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  x_pids+=("$!")
  wait_for grep -q '[0-9]' "$work/display"
  DISPLAY=":$(tr -dc '0-9' <"$work/display")"
  export DISPLAY
  wait_for xdpyinfo
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  x_pids+=("$!")
  wait_for wmctrl -m
  # The pointer rests in a corner where no window is placed.
  xdotool mousemove 1279 1023
}

qt_version=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
echo "== Machine"
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo "$(c++ --version | head -n1), Qt $qt_version, build folder $build (Release)"
echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
echo "== Core"
"$build/bench/core/core_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

run_window_benchmarks() {
  echo
  "$build/bench/forms/next_report_bench" "$next_rounds" 2>"$work/next.log" ||
    { cat "$work/next.log" >&2; exit 1; }
  echo
  "$build/bench/startup/startup_bench" "$starts"
}

echo
echo "== Offscreen platform"
QT_QPA_PLATFORM=offscreen run_window_benchmarks

echo
echo "== Xvfb with openbox"
start_x
QT_QPA_PLATFORM=xcb run_window_benchmarks

echo
echo "== Sizes"
# The package needs every installed file (the manual page is generated), so the whole tree.
cmake --build "$build" >/dev/null
executable="$build/src/app/VLFreeSubconsciousSelfNumber"
strip -o "$work/stripped" "$executable"
echo "executable: $(stat -c %s "$executable") bytes, stripped $(stat -c %s "$work/stripped") bytes"
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/vl-subconscious-self-number_*.deb | head -n 1)
echo "package $(basename "$package"): $(stat -c %s "$package") bytes," \
  "installed size $(dpkg-deb -f "$package" Installed-Size) KiB"

echo
echo "== Fuzzing, ${fuzz_seconds} s a target"
bash scripts/fuzz.sh "$fuzz_seconds"
