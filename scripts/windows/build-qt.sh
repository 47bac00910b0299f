#!/usr/bin/env bash
# Cross-builds Qt for 64-bit Windows from Debian's own qt6-base source, once per machine:
# the result is cached outside the clone, keyed by the Qt version, the configure options and
# the toolchain file, so later runs (and CI on the same machine) reuse it.
# Prints the install prefix on its last line.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

qt_version=6.4.2
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Only what the program and its tests use is built, optimised for size: the download carries
# no widget, dialog, model, text or image format that no window of the program shows. Direct2D
# and tablet input need sources that Debian's repack leaves out; OpenGL is not used by a widgets
# program, and with it off the platform plugin also needs INPUT_opengl=no (no dynamic OpenGL)
# and DirectWrite 3 off (its font database is built only with Direct2D). Fusion stays: the
# style tests compare the program's style against it, and so does FreeType: the tests run on
# the offscreen platform, which is built only with it.
off_features=(
  # modules and back ends
  network sql dbus printsupport concurrent xml opengl vulkan tabletevent direct2d directwrite3
  zstd icu jpeg
  # core: MIME types, processes, IPC, calendars, models (regular expressions stay: with them
  # off, configure still asks for PCRE2 and stops)
  mimetype process sharedmemory systemsemaphore commandlineparser
  jalalicalendar hijricalendar islamiccivilcalendar filesystemwatcher sortfilterproxymodel
  identityproxymodel transposeproxymodel concatenatetablesproxymodel stringlistmodel
  # gui: text and image formats, sessions, tray, file-system model, undo framework
  textmarkdownreader textmarkdownwriter textodfwriter movie gif imageformat_ppm imageformat_xbm
  image_heuristic_mask image_text picture pdf sessionmanager systemtrayicon filesystemmodel
  undocommand undostack undogroup
  # widgets and dialogs no window has; those whose headers Qt 6.4's own code includes
  # unguarded stay (the tool bar and the main window it needs, and what the native style plugin
  # includes: spin box, tab bar, tree and table views, input dialog, dock widget and others)
  style-stylesheet treewidget listwidget tablewidget datetimeedit textbrowser splashscreen
  splitter formlayout lcdnumber fontcombobox toolbox mdiarea statusbar dial scroller
  graphicsview graphicseffect syntaxhighlighter keysequenceedit calendarwidget colordialog
  filedialog fontdialog progressdialog errormessage wizard datawidgetmapper columnview completer
  fscompleter undoview sizegrip rubberband
)
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DINPUT_opengl=no
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF
)
for feature in "${off_features[@]}"; do options+=("-DFEATURE_${feature//-/_}=OFF"); done

key="$( { echo "$qt_version"; printf '%s\n' "${options[@]}"; cat "$toolchain"; } |
  sha256sum | cut -c1-12)"
cache="${SSN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vl-ssn-windows}"
prefix="$cache/qt-$qt_version-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/qt-$qt_version-$key.work"
mkdir -p "$work"
cd "$work"

# The source comes from the Debian archive this machine already uses, through a private
# apt configuration, so the system's own sources stay as they are.
if [ ! -d source ]; then
  mirror="$( { awk '/^URIs:/ {print $2}' /etc/apt/sources.list.d/*.sources
    awk '/^deb / {print $2}' /etc/apt/sources.list; } 2>/dev/null | grep -v security | head -n1 || true)"
  mkdir -p apt/lists/partial
  echo "deb-src ${mirror:-http://deb.debian.org/debian} bookworm main" >apt/sources.list
  apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$work/apt/lists")
  [ "$(id -u)" -ne 0 ] || apt_private+=(-o APT::Sandbox::User=root)
  apt-get -qq "${apt_private[@]}" update
  apt-get -qq "${apt_private[@]}" source --download-only qt6-base >/dev/null
  dsc=$(ls qt6-base_"$qt_version"+*.dsc 2>/dev/null | head -n1)
  [ -n "$dsc" ] || { echo "the archive's qt6-base is not Qt $qt_version: $(ls qt6-base_*.dsc)" >&2; exit 1; }
  dpkg-source -q -x "$dsc" source.tmp 2>/dev/null
  mv source.tmp source
fi

cmake -S source -B build -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${options[@]}" >configure.log 2>&1 || {
  tail -n 60 configure.log >&2
  exit 1
}
cmake --build build --parallel "$(nproc)" >build.log 2>&1 || {
  tail -n 60 build.log >&2
  exit 1
}
cmake --install build >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
