#!/usr/bin/env bash
# End-to-end under Wine: the cross-built Windows program on a private X server (Xvfb with
# openbox), driven with xdotool as a user would. Main window, names, Next, the report, Back,
# File Exit, the exit screen, Exit; the date in the registry; a second copy refused; a link
# opened through the shell to a stand-in browser.
#
# Usage: windows_smoke.sh WINE_RUN PROGRAM.exe
#   WINE_RUN is the build's wine-run.sh, which puts the Qt and MinGW DLLs on Wine's path.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

wine_run=${1:?usage: windows_smoke.sh WINE_RUN PROGRAM.exe}
program=${2:?}
registry_key='HKCU\Software\VLFreeSubconsciousSelfNumber'

# The longest vertical run of pure white pixels in any column of the picture's middle band.
longest_white_run() { # PNG
    local width height
    read -r width height < <(identify -format '%w %h' "$1")
    convert "$1" -crop "${width}x$((height * 30 / 100))+0+$((height * 30 / 100))" +repage -depth 8 txt:- |
        awk -F'[,: ]+' 'NR > 1 {
            run[$1] = /#FFFFFF/ ? run[$1] + 1 : 0
            if (run[$1] > longest) longest = run[$1]
        } END { print longest + 0 }'
}

# Keys go to a window only once Wine has handed it the focus (lib.sh).
E2E_WAIT_FOR_X_FOCUS=1

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
start_at_main_window "$wine_run" "$program"
# Typed letters become capitals in the name fields.
e2e_activate "$MAIN"
type_text "john"
copy_field_text
e2e_check_equal "the first name as typed" "JOHN" "$E2E_COPIED"
press_keys Tab Tab
type_text "smith"
# The native theme would draw the fields, lists and Next white, under the windows' white text:
# a long vertical run of pure white in the band where they lie. Letters make only short ones
# (the focus goes on to the month list first, so that no white caret stands in the picture).
press_keys Tab
screenshot_window "$MAIN" "$E2E_DIR/main.png"
run=$(longest_white_run "$E2E_DIR/main.png")
e2e_expect "fields, lists and Next show the windows' blue (longest white run $run px)" \
    "a field, list or button face is white under white text (a white run of $run px)" test "$run" -lt 15
press_keys alt+n
wait_for_window_gone "$MAIN" || e2e_abort "Next did not hide the main window"
RESULT=$(wait_for_window "$MAIN_CAPTION" "$MAIN") || e2e_abort "the result window did not appear"
e2e_activate "$RESULT"
check_report_shown
back_to_main_window
e2e_pass "Back shows the main window again"

# --- The first run stored today's date in the registry, as another program reads it there.
"$wine_run" reg export "$registry_key\\Settings" "Z:${E2E_DIR//\//\\}\\settings.reg" /y >/dev/null 2>&1
e2e_check_equal "the stored reminder date, in days from today" "0" \
    "$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/stored_date.py" days-reg "$E2E_DIR/settings.reg")"

# --- A second copy is refused with one message and ends.
first=$APP_PID
e2e_start_app "$wine_run" "$program"
second=$APP_PID
message=$(wait_for_window "$MESSAGE_CAPTION") || e2e_abort "the second copy showed no message"
e2e_activate "$message"
# On Windows Ctrl+C copies a message box's title, text and buttons.
copy_with_keys "$E2E_DIR/message.txt" ctrl+c
e2e_expect "a second copy says that the application is already running" \
    "the second copy's message is not 'Application is already running': $(cat "$E2E_DIR/message.txt")" \
    grep -q "^Application is already running" "$E2E_DIR/message.txt"
press_keys Return
if wait_for_exit "$second"; then
    e2e_check_equal "exit status of the second copy" "0" "$E2E_EXIT_STATUS"
else
    e2e_fail "the second copy did not end after OK"
fi
APP_PID=$first

# --- A link: a click on the sponsor line at the top opens its page through the shell.
e2e_activate "$MAIN"
xdotool mousemove --window "$MAIN" 215 30 click 1
wait_for_opened_urls 1
e2e_expect "a link opens its page in the browser: $(head -n1 "$E2E_BROWSER_LOG")" "no page reached the browser" \
    test -s "$E2E_BROWSER_LOG"

# --- File, Exit: the exit screen; its Exit ends the program.
leave_through_file_exit "$MAIN"
e2e_finish
