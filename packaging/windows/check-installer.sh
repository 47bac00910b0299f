#!/usr/bin/env bash
# Trial run of the Windows installer under Wine, as a user would meet it: a silent install
# puts the program under Program Files with a Start-menu entry and an uninstall entry; the
# installed program (nothing on Wine's DLL path but its own folder) shows its main window on a
# private X server; a silent uninstall takes all of it away again.
#
# Usage: check-installer.sh SETUP.exe      (WINEPREFIX as for the tests)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/lib.sh"
setup=$(realpath "${1:?usage: check-installer.sh SETUP.exe}")

prefix=${WINEPREFIX:-$HOME/.wine}
e2e_setup
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:-fixme-all}
unset WINEPATH
# Debian's 64-bit loader itself: the `wine` wrapper asks for the 32-bit Wine at every start.
export WINELOADER=/usr/lib/wine/wine64
[ -x "$WINELOADER" ] || WINELOADER=$(command -v wine)
wine() { "$WINELOADER" "$@"; }
e2e_start_x

folder="$WINEPREFIX/drive_c/Program Files/VL Subconscious Self Number"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VL Subconscious Self Number.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VLFreeSubconsciousSelfNumber'

wine "$setup" /S
[ -x "$folder/VLFreeSubconsciousSelfNumber.exe" ] || e2e_abort "/S did not install the program in $folder"
e2e_pass "/S installs the program under Program Files"
[ -f "$shortcut" ] && e2e_pass "the Start menu has an entry" || e2e_fail "no Start-menu entry at $shortcut"
if wine reg query "$uninstall_key" /v DisplayVersion 2>/dev/null | grep -q '1\.90'; then
    e2e_pass "Apps lists the program with version 1.90"
else
    e2e_fail "no uninstall entry with version 1.90 under $uninstall_key"
fi

e2e_start_app "$WINELOADER" "$folder/VLFreeSubconsciousSelfNumber.exe"
if wait_for_window "$MAIN_CAPTION" >/dev/null; then
    e2e_pass "the installed program shows its main window"
else
    e2e_fail "the installed program showed no main window"
fi
kill "$APP_PID" 2>/dev/null
wait_for_exit "$APP_PID"

# The uninstaller copies itself away and runs from there; wait for the folder to go.
wine "$folder/Uninstall.exe" /S
deadline=$(e2e_deadline "$E2E_TIMEOUT")
while [ -e "$folder" ] || [ -e "$shortcut" ]; do
    e2e_before "$deadline" || break
    sleep 0.2
done
[ ! -e "$folder" ] && [ ! -e "$shortcut" ] && e2e_pass "/S uninstalls the folder and the Start-menu entry" ||
    e2e_fail "the uninstaller left $(ls -A "$folder" 2>/dev/null | tr '\n' ' ') or the shortcut behind"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
    e2e_fail "the uninstall entry is still there"
else
    e2e_pass "the uninstall entry is gone"
fi
e2e_finish
