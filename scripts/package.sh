#!/usr/bin/env bash
# Builds the Debian package of the program from the release preset and checks it: the
# package's fields and files, the menu entry and metadata validators, a trial install with
# apt-get, one start from the installed menu entry on a private X server, and the removal
# that leaves the machine as it was.
#
# Usage: scripts/package.sh [--no-install]
#   --no-install  builds and checks the package file only (no trial install, no start)
#
# The package is left in build/release. Prints one PASS or FAIL line per check and ends with
# "N passed, N failed"; exits non-zero when anything failed.
set -u -o pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo" || exit 1

readonly PACKAGE=vl-subconscious-self-number
readonly EXECUTABLE=VLFreeSubconsciousSelfNumber
readonly APPSTREAM_ID=example.velmora.vl_subconscious_self_number
readonly BUILD_DIR=build/release

trial_install=1
case "${1:-}" in
"") ;;
--no-install) trial_install=0 ;;
*)
    echo "usage: scripts/package.sh [--no-install]" >&2
    exit 2
    ;;
esac

# shellcheck source=lib/check_counts.sh
source "$repo/scripts/lib/check_counts.sh"
check() { # DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then pass "$description"; else fail "$description"; fi
}
finish() {
    report_counts
    exit
}
die() {
    fail "$*"
    finish
}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

work=$(mktemp -d "${TMPDIR:-/tmp}/ssn-package.XXXXXX")
installed_by_us=0
packages_before="$work/packages-before.txt"

# Whatever happens, a trial install is undone: the package and exactly the packages that its
# installation brought in are removed again.
cleanup() {
    if [ "$installed_by_us" -eq 1 ]; then
        "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$PACKAGE" >/dev/null
        local brought_in
        brought_in=$(comm -13 "$packages_before" <(installed_packages))
        if [ -n "$brought_in" ]; then
            # shellcheck disable=SC2086 # one package name a word
            "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq $brought_in >/dev/null
        fi
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

installed_packages() {
    dpkg-query -W -f '${db:Status-Status} ${Package}\n' | sed -n 's/^installed //p' | sort
}

is_installed() {
    dpkg-query -W -f '${db:Status-Status}' "$PACKAGE" 2>/dev/null | grep -qx installed
}
is_not_installed() { ! is_installed; }

# --- Build -------------------------------------------------------------------------------
bash scripts/install-deps.sh || die "scripts/install-deps.sh"
cmake --preset release >/dev/null || die "cmake --preset release"
cmake --build --preset release || die "cmake --build --preset release"
rm -f "$BUILD_DIR"/"$PACKAGE"_*.deb
(cd "$BUILD_DIR" && cpack -G DEB) || die "cpack -G DEB"
shopt -s nullglob
debs=("$repo/$BUILD_DIR"/"$PACKAGE"_*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || die "cpack wrote no single $PACKAGE package into $BUILD_DIR"
deb=${debs[0]}
pass "package built: $deb ($(stat -c %s "$deb") bytes)"

# --- The package file ----------------------------------------------------------------------
dpkg-deb --info "$deb" >"$work/info.txt" || die "dpkg-deb --info"
dpkg-deb --contents "$deb" >"$work/contents.txt" || die "dpkg-deb --contents"
sed 's/^/  /' "$work/info.txt"

field() { dpkg-deb --field "$deb" "$1"; }
check "Package is $PACKAGE" test "$(field Package)" == "$PACKAGE"
check "Version is 1.90" test "$(field Version)" == "1.90"
check "Architecture is this machine's ($(dpkg --print-architecture))" \
    test "$(field Architecture)" == "$(dpkg --print-architecture)"
depends=$(field Depends)
echo "  Depends: $depends"
lists() { [[ ", $depends," =~ ,\ $1[\ ,] ]]; }
check "Depends lists libqt6widgets6" lists libqt6widgets6
check "Depends lists fonts-dejavu-core" lists fonts-dejavu-core

contains() { grep -q " \./usr/$1\$" "$work/contents.txt"; }
check "contents: executable" contains "bin/$EXECUTABLE"
check "contents: menu entry" contains "share/applications/$PACKAGE.desktop"
check "contents: metadata" contains "share/metainfo/$APPSTREAM_ID.metainfo.xml"
check "contents: scalable icon" contains "share/icons/hicolor/scalable/apps/$PACKAGE.svg"
for size in 16 24 32 48 64 128 256; do
    check "contents: ${size}x${size} icon" contains "share/icons/hicolor/${size}x${size}/apps/$PACKAGE.png"
done

# The unpacked files: sizes of the icons, desktop-file-validate and appstreamcli validate-tree.
dpkg-deb -x "$deb" "$work/unpacked" || die "dpkg-deb -x"
if packaging/check-install-tree.sh "$work/unpacked" | sed 's/^/  unpacked: /'; then
    pass "unpacked package passes packaging/check-install-tree.sh"
else
    fail "unpacked package fails packaging/check-install-tree.sh"
fi

[ "$trial_install" -eq 1 ] || finish

# --- Trial install ---------------------------------------------------------------------------
if is_installed; then
    die "$PACKAGE is installed already; remove it first (apt-get remove $PACKAGE) so that the trial starts from a machine without it"
fi
installed_packages >"$packages_before"
installed_by_us=1
if "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
    >"$work/apt.log" 2>&1; then
    pass "apt-get install ./$(basename "$deb")"
else
    sed 's/^/  apt: /' "$work/apt.log"
    die "apt-get install ./$(basename "$deb")"
fi
if packaging/check-install-tree.sh / | sed 's/^/  installed: /'; then
    pass "installed files pass packaging/check-install-tree.sh"
else
    fail "installed files fail packaging/check-install-tree.sh"
fi
check "$EXECUTABLE resolves on PATH to /usr/bin/$EXECUTABLE" \
    test "$(command -v "$EXECUTABLE")" == "/usr/bin/$EXECUTABLE"

# --- One start from the menu entry -----------------------------------------------------------
# Runs the Exec= line of the installed entry on a private X server with a private home, the
# way a launcher would (field codes dropped: the program takes no files), and waits for the
# main window. The end-to-end helpers provide the X server, the private folders and a
# stand-in browser; their exit trap ends the program and the server.
start_from_menu_entry() (
    # shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
    source "$repo/tests/e2e/lib.sh"
    e2e_setup
    e2e_start_x
    local entry=/usr/share/applications/$PACKAGE.desktop command wm_class expected_class
    command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUdDnNickvm]//g')
    read -r -a argv <<<"$command"
    argv[0]=$(command -v "${argv[0]}") || e2e_abort "Exec= names no program on PATH: $command"
    e2e_start_app "${argv[@]}"
    local window
    window=$(wait_for_window "$MAIN_CAPTION") ||
        e2e_abort "no window \"$MAIN_CAPTION\" after starting Exec=$command"
    e2e_pass "the menu entry's Exec=$command shows \"$MAIN_CAPTION\""
    expected_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
    wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    e2e_check_equal "window class against StartupWMClass" "$expected_class" "$wm_class"
    e2e_finish
)
# In a network namespace of its own as root, so that no copy of the program that the same user
# runs elsewhere holds the single-instance name (apt-get above needs the machine's network).
own_network=()
[ "$(id -u)" -eq 0 ] && own_network=(unshare --net --)
export repo PACKAGE
if "${own_network[@]}" bash -c "$(declare -f start_from_menu_entry); start_from_menu_entry" package.sh |
    sed 's/^/  start: /'; then
    pass "started from the installed menu entry on Xvfb"
else
    fail "starting from the installed menu entry on Xvfb"
fi

# --- Removal ---------------------------------------------------------------------------------
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$PACKAGE" >"$work/apt.log" 2>&1 ||
    fail "apt-get remove $PACKAGE"
installed_by_us=0
brought_in=$(comm -13 "$packages_before" <(installed_packages))
if [ -n "$brought_in" ]; then
    # shellcheck disable=SC2086 # one package name a word
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq $brought_in >>"$work/apt.log" 2>&1 ||
        fail "removing what the trial install brought in: $brought_in"
fi
check "apt-get remove $PACKAGE: the package is gone" is_not_installed
check "no file of the package is left in /usr" \
    test ! -e "/usr/bin/$EXECUTABLE" -a ! -e "/usr/share/applications/$PACKAGE.desktop"
check "the installed packages are the same as before the trial" \
    cmp -s "$packages_before" <(installed_packages)

finish
