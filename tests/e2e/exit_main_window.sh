#!/usr/bin/env bash
# End-to-end: leaving the main window by File, Exit or by its close box brings up the exit
# screen on top with the main window gone; the exit screen's Exit button and its close box
# each end the program with status 0.
#
# Usage: exit_main_window.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/exit_lib.sh"

program=${1:?usage: exit_main_window.sh PATH_TO_PROGRAM}

e2e_setup
e2e_start_x

# --- File, Exit, then the exit screen's Exit button (Alt+X).
start_at_main_window "$program"
e2e_activate "$MAIN"
press_keys alt+f x
expect_exit_screen "File, Exit"
wait_for_window_destroyed "$MAIN" && e2e_pass "File, Exit: the main window is unloaded" ||
    e2e_fail "File, Exit: the main window still exists"
e2e_activate "$EXIT_SCREEN"
press_keys alt+x
expect_program_end "the exit screen's Exit button"

# --- The main window's close box, then the exit screen's close box.
start_at_main_window "$program"
wmctrl -i -c "$MAIN"
expect_exit_screen "the main window's close box"
wait_for_window_destroyed "$MAIN" && e2e_pass "close box: the main window is unloaded" ||
    e2e_fail "close box: the main window still exists"
wmctrl -i -c "$EXIT_SCREEN"
expect_program_end "the exit screen's close box"

if [ -s "$E2E_BROWSER_LOG" ]; then
    e2e_fail "pages were opened: $(tr '\n' ' ' <"$E2E_BROWSER_LOG")"
else
    e2e_pass "no web page was opened"
fi

e2e_finish
