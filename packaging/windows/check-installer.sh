#!/usr/bin/env bash
# Trial run of the Windows installer under Wine, as a user would meet it: a silent install
# puts the program under Program Files with a Start-menu entry and an uninstall entry; the
# installed program (nothing on Wine's DLL path but its own folder) shows its main window on a
# private X server; neither setup nor the uninstaller touches a copy that runs, and setup
# replaces every file once it has ended; a silent uninstall takes all of it away again, and a
# per-user install goes to the user's own folder and registry branch and away again.
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

product="VL Subconscious Self Number"
exe=VLFreeSubconsciousSelfNumber.exe
folder="$WINEPREFIX/drive_c/Program Files/$product"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\VLFreeSubconsciousSelfNumber'
# The user's own folders, as Windows paths and as this machine's.
IFS=';' read -r local_appdata appdata < <(wine cmd /c 'echo %LOCALAPPDATA%;%APPDATA%' | tr -d '\r')
local_appdata_here=$(wine winepath -u "$local_appdata" 2>/dev/null)
user_folder_windows="$local_appdata\\Programs\\$product"
user_folder="$local_appdata_here/Programs/$product"
user_shortcut="$(wine winepath -u "$appdata" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs/$product.lnk"
lock_folder="$local_appdata_here/VLFreeSubconsciousSelfNumber"

registry_value() { # HIVE NAME: the value of the uninstall entry, or nothing
    wine reg query "$1\\$uninstall_key" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $3 }'
}
# The uninstaller in place (`_?=`), returning its own exit code. The folder goes unquoted, its
# words as separate arguments, as NSIS wants it.
uninstall_in_place() { # WINDOWS_FOLDER
    local words
    read -ra words <<<"_?=$1"
    wine "$1\\Uninstall.exe" /S "${words[@]}"
}
# Every file of the folder with its time and checksum, one a line.
folder_state() { # FOLDER
    (cd "$1" && find . -type f -printf '%p %T@ ' -exec md5sum {} \; | sort)
}

wine "$setup" /S
[ -x "$folder/$exe" ] || e2e_abort "/S did not install the program in $folder"
e2e_pass "/S installs the program under Program Files"
[ -f "$shortcut" ] && e2e_pass "the Start menu has an entry" || e2e_fail "no Start-menu entry at $shortcut"
e2e_check_equal "the version in Apps" "1.90" "$(registry_value HKLM DisplayVersion)"
size=$(($(registry_value HKLM EstimatedSize)))
kilobytes=$(du -sk --apparent-size "$folder" | cut -f1)
if [ "$size" -gt $((kilobytes * 9 / 10)) ] && [ "$size" -lt $((kilobytes * 11 / 10)) ]; then
    e2e_pass "Apps shows the size, $size KB"
else
    e2e_fail "EstimatedSize $size KB, the folder holds $kilobytes KB"
fi
for file in "$setup" "$folder/Uninstall.exe"; do
    grep -aq 'WindowsSettings">true</dpiAware>' "$file" && e2e_pass "$(basename "$file") declares DPI awareness" ||
        e2e_fail "$(basename "$file")'s manifest declares no DPI awareness"
done

# Every file made older than any build, as an earlier version's would be.
find "$folder" -type f -exec touch -d 2001-01-01 {} +
e2e_start_app "$WINELOADER" "$folder/$exe"
if wait_for_window "$MAIN_CAPTION" >/dev/null; then
    e2e_pass "the installed program shows its main window"
else
    e2e_fail "the installed program showed no main window"
fi

# A copy that runs: setup and the uninstaller refuse, silently with an exit code, and change nothing.
before=$(folder_state "$folder")
wine "$setup" /S
e2e_check_equal "setup's exit code over a running copy" 2 $?
[ "$(folder_state "$folder")" == "$before" ] && e2e_pass "setup over a running copy changed no file" ||
    e2e_fail "setup over a running copy changed files: $(diff <(echo "$before") <(folder_state "$folder"))"
uninstall_in_place "C:\\Program Files\\$product"
e2e_check_equal "the uninstaller's exit code on a running copy" 2 $?
[ "$(folder_state "$folder")" == "$before" ] && e2e_pass "the uninstaller left a running copy whole" ||
    e2e_fail "the uninstaller changed a running copy: $(diff <(echo "$before") <(folder_state "$folder"))"
e2e_check_equal "the Apps entry of a running copy" "1.90" "$(registry_value HKLM DisplayVersion)"
kill "$APP_PID" 2>/dev/null
wait_for_exit "$APP_PID"
wine "$setup" /S
e2e_check_equal "setup's exit code once the copy has ended" 0 $?
old=$(find "$folder" -type f ! -newermt 2001-01-02)
[ -z "$old" ] && e2e_pass "setup replaced every file" || e2e_fail "setup left old files: $old"

# The uninstaller copies itself away and runs from there; wait for the folder to go. The folder
# in Local AppData where earlier versions kept their lock goes too.
mkdir -p "$lock_folder" && touch "$lock_folder/VLFreeSubconsciousSelfNumber.lock"
wine "$folder/Uninstall.exe" /S
deadline=$(e2e_deadline "$E2E_TIMEOUT")
while [ -e "$folder" ] || [ -e "$shortcut" ] || [ -e "$lock_folder" ]; do
    e2e_before "$deadline" || break
    sleep 0.2
done
[ ! -e "$folder" ] && [ ! -e "$shortcut" ] && [ ! -e "$lock_folder" ] &&
    e2e_pass "/S uninstalls the folder, the Start-menu entry and the old lock folder" ||
    e2e_fail "the uninstaller left $(ls -A "$folder" 2>/dev/null | tr '\n' ' '), the shortcut or the lock folder behind"
e2e_check_equal "the Apps entry after the uninstall" "" "$(registry_value HKLM DisplayVersion)"

# For the current user alone: the user's own folder, Start menu and registry branch.
wine "$setup" /S /CurrentUser
[ -x "$user_folder/$exe" ] && [ -f "$user_shortcut" ] && e2e_pass "/CurrentUser installs under %LOCALAPPDATA%\\Programs" ||
    e2e_fail "/S /CurrentUser did not install the program and its shortcut in $user_folder"
e2e_check_equal "the per-user Apps entry's folder" "$user_folder_windows" \
    "$(wine reg query "HKCU\\$uninstall_key" /v InstallLocation 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
e2e_check_equal "an all-users Apps entry after a per-user install" "" "$(registry_value HKLM DisplayVersion)"
uninstall_in_place "$user_folder_windows"
e2e_check_equal "the per-user uninstall's exit code" 0 $?
left=$(ls -A "$user_folder" 2>/dev/null | tr '\n' ' ')
[ "$left" == "Uninstall.exe " ] && [ ! -e "$user_shortcut" ] && e2e_pass "the per-user uninstall removes the files and the shortcut" ||
    e2e_fail "the per-user uninstall left '$left' or the shortcut"
e2e_check_equal "the per-user Apps entry after the uninstall" "" "$(registry_value HKCU DisplayVersion)"
rm -rf "$user_folder" # the uninstaller that ran in place
e2e_finish
