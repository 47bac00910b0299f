#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need; with --run only
# those that building and running the program need.
# Only packages that are missing are installed, so a second run is quick.
set -euo pipefail

packages=(
  # build the program
  cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  # the font that stands in for Verdana, and native windows on Wayland desktops
  fonts-dejavu-core qt6-wayland
)
[ "${1:-}" = "--run" ] || packages+=(
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
  # the Debian package and the checks of its menu entry and metadata
  dpkg-dev file desktop-file-utils appstream
)

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
