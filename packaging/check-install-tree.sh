#!/usr/bin/env bash
# Checks an installed copy of the program: every file in its place, the icons of the sizes
# their folders promise, the menu entry and the software-centre metadata valid and pointing at
# what is installed.
#
# Usage: check-install-tree.sh [--install BUILD_DIR] ROOT
#   ROOT                 the folder that holds usr/ (an unpacked package, or / after installing it)
#   --install BUILD_DIR  first installs BUILD_DIR into ROOT (emptied) with the prefix /usr
#
# Prints one PASS or FAIL line per check and exits non-zero when any check fails; exits 77
# (a skip for ctest) when a validator is not installed.
set -u

install_from=""
if [ "${1:-}" == "--install" ]; then
    install_from=${2:?usage: check-install-tree.sh [--install BUILD_DIR] ROOT}
    shift 2
fi
root=${1:?usage: check-install-tree.sh [--install BUILD_DIR] ROOT}

readonly NAME=vl-subconscious-self-number
readonly APPSTREAM_ID=example.velmora.vl_subconscious_self_number
readonly EXECUTABLE=VLFreeSubconsciousSelfNumber
readonly ICON_SIZES=(16 24 32 48 64 128 256)

for tool in desktop-file-validate appstreamcli file; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done

if [ -n "$install_from" ]; then
    rm -rf "$root"
    mkdir -p "$root"
    DESTDIR="$root" cmake --install "$install_from" --prefix /usr >/dev/null || {
        echo "FAIL: cmake --install $install_from"
        exit 1
    }
fi

usr="${root%/}/usr"
# shellcheck source=../scripts/lib/check_counts.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/check_counts.sh"
# Runs a check; what it printed is shown only when it fails (validators print hints on success).
check() { # DESCRIPTION COMMAND...
    local description=$1 output
    shift
    if output=$("$@" 2>&1); then
        pass "$description"
    else
        fail "$description"
        [ -n "$output" ] && printf '%s\n' "$output" | sed 's/^/  /'
    fi
}

# The size `file` reads from the PNG header, e.g. "48 x 48".
png_size() { file -b "$1" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1 x \2/p'; }

desktop_file="$usr/share/applications/$NAME.desktop"
metainfo="$usr/share/metainfo/$APPSTREAM_ID.metainfo.xml"
icons="$usr/share/icons/hicolor"

check "executable bin/$EXECUTABLE" test -x "$usr/bin/$EXECUTABLE"
check "menu entry share/applications/$NAME.desktop" test -f "$desktop_file"
check "metadata share/metainfo/$APPSTREAM_ID.metainfo.xml" test -f "$metainfo"
check "scalable icon" test -f "$icons/scalable/apps/$NAME.svg"
for size in "${ICON_SIZES[@]}"; do
    icon="$icons/${size}x${size}/apps/$NAME.png"
    if [ -f "$icon" ] && [ "$(png_size "$icon")" == "$size x $size" ]; then
        pass "icon ${size}x${size}"
    else
        fail "icon ${size}x${size}: $icon missing or not $size x $size pixels"
    fi
done
check "manual page" test -f "$usr/share/man/man1/$EXECUTABLE.1.gz"
check "copyright" test -f "$usr/share/doc/$NAME/copyright"

if [ -f "$desktop_file" ]; then
    check "desktop-file-validate" desktop-file-validate "$desktop_file"
    exec_line=$(sed -n 's/^Exec=//p' "$desktop_file")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop_file")
    check "Exec= names the installed executable ($exec_line)" test -x "$usr/bin/${exec_line%% *}"
    check "Icon= names the installed icon ($icon_name)" test -f "$icons/scalable/apps/$icon_name.svg"
fi

if [ -f "$metainfo" ]; then
    if [ "$root" == "/" ]; then
        # The system holds other programs' metadata too; only this one is judged.
        check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
    else
        # The tree check also finds the menu entry that the metadata launches.
        check "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$usr"
    fi
fi

report_counts
