#!/usr/bin/env bash
# The program for 64-bit Windows, from this Debian machine in one command: installs what is
# missing, cross-builds Qt for Windows once (cached outside the clone, see
# scripts/windows/build-qt.sh), cross-builds the program and its tests with warnings as errors,
# runs every test under Wine on a private X server, and leaves in build/windows
#   VLFreeSubconsciousSelfNumber-1.90-win64.zip        the portable program
#   VLFreeSubconsciousSelfNumber-1.90-setup.exe        the installer (silent with /S)
# Each stage prints its time. SSN_WINDOWS_CACHE moves the cache (default ~/.cache/vl-ssn-windows).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

stage_start=$SECONDS
stage() { # NAME: prints the time the previous stage took, then the next stage's name
    [ -n "${stage_name:-}" ] && printf '== %s: %ds\n' "$stage_name" $((SECONDS - stage_start))
    stage_name=$1
    stage_start=$SECONDS
    printf '== %s\n' "$stage_name"
}

stage "packages"
bash scripts/install-deps.sh --windows

stage "Qt for Windows (cached after the first run)"
SSN_WINDOWS_QT=$(bash scripts/windows/build-qt.sh | tail -n1)
stage "GoogleTest for Windows (cached after the first run)"
SSN_WINDOWS_GTEST=$(bash scripts/windows/build-googletest.sh | tail -n1)
export SSN_WINDOWS_QT SSN_WINDOWS_GTEST

# One Wine prefix beside the cache, created once; its server keeps running while the tests
# run, so that each test program starts at once instead of waiting for Wine's helpers.
cache="${SSN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vl-ssn-windows}"
export WINEPREFIX="$cache/wineprefix" WINEARCH=win64
# No prompts for Wine's optional .NET and HTML engines while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:-fixme-all}"

stage "program and tests, cross-built"
cmake --preset windows >/dev/null
cmake --build --preset windows

stage "tests under Wine"
# A private X server for the whole run: the windows of the tests under Wine go there.
x_dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$x_dir/display" >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$x_dir"
}
trap cleanup EXIT
until grep -q '[0-9]' "$x_dir/display" 2>/dev/null; do sleep 0.1; done
export DISPLAY=":$(tr -dc '0-9' <"$x_dir/display")"
# The prefix is made in full once, and marked: Wine takes a prefix whose first set-up was cut
# short (its server ended, say) as made, and then has no clipboard and no browser hand-off.
if [ ! -f "$WINEPREFIX/.ssn-prefix-complete" ]; then
    wineserver -k 2>/dev/null || true
    wine wineboot -u >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ssn-prefix-complete"
fi
wineserver -p 2>/dev/null || true # fails only when the prefix's server runs already
wine cmd /c exit >/dev/null 2>&1
ctest --preset windows

stage "portable zip and installer"
version=$(sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=VLFreeSubconsciousSelfNumber
out="$repo/build/windows"
portable="$out/portable/$name"
rm -rf "$out/portable"
cmake --install build/windows --prefix "$portable" --strip >/dev/null
(cd "$out/portable" && rm -f "$out/$name-$version-win64.zip" &&
    cmake -E tar cf "$out/$name-$version-win64.zip" --format=zip "$name")
makensis -V2 -DVERSION="$version" -DSOURCE_DIR="$portable" \
    -DICON_FILE="$repo/packaging/icons/vl-subconscious-self-number.ico" -DOUTPUT_FILE="$out/$name-$version-setup.exe" \
    packaging/windows/installer.nsi

stage "trial install and uninstall under Wine"
bash packaging/windows/check-installer.sh "$out/$name-$version-setup.exe"

stage "done"
ls -l "$out/$name-$version-win64.zip" "$out/$name-$version-setup.exe"
