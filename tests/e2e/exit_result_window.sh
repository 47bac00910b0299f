#!/usr/bin/env bash
# End-to-end: closing the result window by its close box brings up the exit screen, and the
# exit screen still ends the program while the main window is loaded and hidden. Back puts
# the exit screen away again; a later File, Exit shows that same window (the same X window,
# so it was not loaded afresh and shows the support message drawn at Back), which takes the
# keyboard as the main window goes, even with no window manager to give it.
#
# Usage: exit_result_window.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: exit_result_window.sh PATH_TO_PROGRAM}

e2e_setup
e2e_start_x

# --- The result window's close box; the main window stays hidden; the exit screen ends the run.
start_at_main_window "$program"
open_report_for_john_smith "$MAIN"
wmctrl -i -c "$RESULT"
expect_exit_screen "the result window's close box"
e2e_expect "the main window stays hidden" "the main window came back after the result window was closed" \
    e2e_not e2e_window_visible "$MAIN"
e2e_activate "$EXIT_SCREEN"
press_keys alt+x
expect_program_end "the exit screen's Exit button with the main window hidden"

# --- Back, then File, Exit, on a display without a window manager: only the program itself can
# hand the keyboard to the exit screen.
e2e_start_x none
start_at_main_window "$program"
open_report_for_john_smith "$MAIN"
main_before=$MAIN
back_to_main_window
e2e_check_equal "after Back the main window is the same window" "$main_before" "$MAIN"
expect_none_visible "after Back" "$EXIT_CAPTION"
# The exit screen was loaded by Back: its window exists, unmapped.
loaded_at_back=$(e2e_all_windows "$EXIT_CAPTION")
e2e_expect "Back left exactly one exit screen window, hidden" \
    "after Back expected one hidden exit screen window, found: '$loaded_at_back'" \
    test "$(printf '%s\n' "$loaded_at_back" | grep -c .)" -eq 1
# What the exit screen tells the window manager as it appears again: a user time of 0 asks to
# keep it from the keyboard.
xprop -spy -id "$loaded_at_back" _NET_WM_USER_TIME >"$E2E_DIR/user-time" 2>&1 &
E2E_PIDS+=("$!")
e2e_wait_until "$E2E_TIMEOUT" test -s "$E2E_DIR/user-time"

exit_by_file_exit "File, Exit after Back"
e2e_check_equal "File, Exit after Back shows the exit screen loaded at Back" "$loaded_at_back" "$EXIT_SCREEN"
wait_for_x_focus "$EXIT_SCREEN" && e2e_pass "the exit screen shown again has the keyboard" ||
    e2e_fail "the exit screen shown again has no keyboard: the focus is on $(xdotool getwindowfocus)"
grep -q '= [1-9]' "$E2E_DIR/user-time" && ! grep -q '= 0$' "$E2E_DIR/user-time" &&
    e2e_pass "the exit screen shown again may take the keyboard: $(tail -n 1 "$E2E_DIR/user-time")" ||
    e2e_fail "the exit screen shown again asked to be kept from the keyboard: $(tr '\n' ' ' <"$E2E_DIR/user-time")"
press_keys alt+x
expect_program_end "Alt+X on the exit screen shown again after Back"

e2e_finish
