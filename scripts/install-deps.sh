#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only packages that are missing are installed, so a second run is quick.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the font that stands in for Verdana
  fonts-dejavu-core
  # end-to-end tests and screenshots on a real X server
  xvfb xauth xdotool xclip wmctrl openbox imagemagick x11-utils
  # end-to-end tests through the accessibility bus, and on a headless Wayland compositor
  dbus at-spi2-core python3-pyatspi weston qt6-wayland
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
