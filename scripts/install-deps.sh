#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need; with --run only
# those that building and running the program need; with --windows those that cross-building
# the program for Windows, testing it under Wine and packaging it need.
# Only packages that are missing are installed, so a second run is quick.
set -euo pipefail

packages=(
  # build the program
  cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  # the font that stands in for Verdana, and native windows on Wayland desktops
  fonts-dejavu-core qt6-wayland
)
windows_packages=(
  # the MinGW-w64 cross compiler (posix threads), the tools that fetch and patch Qt's source,
  # and GoogleTest's sources to cross-build
  g++-mingw-w64-x86-64-posix dpkg-dev patch xz-utils googletest
  # the host Qt whose tools (moc, rcc, uic) and CMake files the cross-built Qt uses
  qt6-base-dev qt6-base-dev-tools
  # Wine (64-bit) to run the tests and the program, on a private X server with a window manager
  wine wine64 fonts-wine xvfb xauth xdotool xclip openbox wmctrl x11-utils imagemagick
  # the installer
  nsis
)
if [ "${1:-}" = "--windows" ]; then
  packages=(cmake ninja-build "${windows_packages[@]}")
elif [ "${1:-}" != "--run" ]; then packages+=(
  # build the tests, benchmarks, fuzz targets and the checks of the code's format
  clang libclang-rt-14-dev clang-format libgtest-dev libgmock-dev libbenchmark-dev
  # end-to-end tests and screenshots on a real X server
  xvfb xauth xdotool xclip wmctrl openbox imagemagick x11-utils
  # end-to-end tests through the accessibility bus and a screen reader without sound, and on a
  # headless Wayland compositor
  dbus at-spi2-core python3-pyatspi orca speech-dispatcher weston
  # another window manager (Xfce's) and a dark desktop palette (GNOME's, through Qt's GTK theme)
  xfwm4 qt6-gtk-platformtheme
  # memory checks
  valgrind
  # the settings folder's tests: ACL entries of a neighbour, and a file system whose modes lie
  acl bindfs
  # the Debian package and the checks of its menu entry and metadata
  dpkg-dev file desktop-file-utils appstream
); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
