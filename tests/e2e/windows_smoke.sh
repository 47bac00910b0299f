#!/usr/bin/env bash
# End-to-end under Wine: the cross-built Windows program on a private X server (Xvfb with
# openbox), driven with xdotool as a user would. Main window, names, Next, the report, Back,
# File Exit, the exit screen, Exit; the date in the registry; a second copy refused; a link
# opened through the shell to a stand-in browser.
#
# Usage: windows_smoke.sh WINE_RUN PROGRAM.exe SETTINGS_TOOL.exe
#   WINE_RUN is the build's wine-run.sh, which puts the Qt and MinGW DLLs on Wine's path.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/startup_lib.sh"

wine_run=${1:?usage: windows_smoke.sh WINE_RUN PROGRAM.exe SETTINGS_TOOL.exe}
program=${2:?}
settings_tool=${3:?}
registry_key='HKCU\Software\VLFreeSubconsciousSelfNumber'

# Wine hands a newly active window's keyboard focus on to its control only once the X input
# focus has reached the window; a key sent before then is lost.
e2e_activate() { # WINDOW_ID
    timeout "$E2E_TIMEOUT" xdotool windowactivate --sync "$1" >/dev/null 2>&1
    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    until [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]; do
        e2e_before "$deadline" || e2e_abort "window $1 did not get the keyboard focus"
        sleep 0.05
    done
}

command -v wine >/dev/null || {
    echo "SKIP: wine is not installed (scripts/install-deps.sh --windows installs it)"
    exit "$E2E_SKIP"
}
prefix=${WINEPREFIX:-$HOME/.wine}
e2e_setup
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:-fixme-all}
e2e_start_x
# Each run starts as a first run: no date stored yet.
"$wine_run" reg delete "$registry_key" /f >/dev/null 2>&1

# --- Main window, a report, Back.
e2e_start_app "$wine_run" "$program"
main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
e2e_pass "the main window appears"
# Typed letters become capitals in the name fields.
e2e_activate "$main"
type_text "john"
copy_field_text
e2e_check_equal "the first name as typed" "JOHN" "$E2E_COPIED"
press_keys Tab Tab
type_text "smith"
press_keys alt+n
wait_for_window_gone "$main" || e2e_abort "Next did not hide the main window"
RESULT=$(wait_for_window "$MAIN_CAPTION" "$main") || e2e_abort "the result window did not appear"
e2e_activate "$RESULT"
copy_field_text
e2e_check_equal "the report's first line" "Your Subconscious Self Number is: 7" "$(head -n1 <<<"$E2E_COPIED")"
press_keys alt+b
wait_for_window_gone "$RESULT" || e2e_fail "Back did not close the result window"
main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not come back after Back"
e2e_pass "Back shows the main window again"

# --- The first run stored today's date in the registry.
e2e_check_equal "the stored reminder date, in days from today" "0" \
    "$("$wine_run" "$settings_tool" VLFreeSubconsciousSelfNumber days-from-today 2>/dev/null | tr -d '\r')"

# --- A second copy is refused with one message and ends.
first=$APP_PID
e2e_start_app "$wine_run" "$program"
second=$APP_PID
message=$(wait_for_window "$MESSAGE_CAPTION") || e2e_abort "the second copy showed no message"
e2e_pass "a second copy shows a message"
e2e_activate "$message"
press_keys Return
if wait_for_exit "$second"; then
    e2e_check_equal "exit status of the second copy" "0" "$E2E_EXIT_STATUS"
else
    e2e_fail "the second copy did not end after OK"
fi
APP_PID=$first

# --- A link: a click on the sponsor line at the top opens its page through the shell.
e2e_activate "$main"
xdotool mousemove --window "$main" 215 30 click 1
if wait_for_opened_urls 1; then
    e2e_pass "a link opens its page in the browser: $(head -n1 "$E2E_BROWSER_LOG")"
else
    e2e_fail "no page reached the browser"
fi

# --- File, Exit: the exit screen; its Exit ends the program.
e2e_activate "$main"
press_keys alt+f x
exit_screen=$(wait_for_window "$RUN_TIME_CAPTION") || e2e_abort "the exit screen did not appear"
e2e_pass "File, Exit shows the exit screen"
e2e_activate "$exit_screen"
press_keys alt+x
if wait_for_exit "$APP_PID"; then
    e2e_check_equal "exit status after Exit" "0" "$E2E_EXIT_STATUS"
else
    e2e_fail "Exit did not end the program"
fi
e2e_finish
