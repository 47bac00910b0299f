#!/usr/bin/env bash
# End-to-end: a second copy started beside a running one, from another environment (no
# XDG_RUNTIME_DIR, another TMPDIR and settings folder), shows "Application is already running"
# once and ends with status 0 without a window of its own, while the first copy keeps its main
# window where it was.
#
# Usage: startup_single_instance.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: startup_single_instance.sh PATH_TO_PROGRAM}

e2e_setup
e2e_start_x

start_at_main_window "$program"
first=$APP_PID
e2e_pass "the first copy shows its main window"
geometry_before=$(window_geometry "$MAIN")

# --- A second copy: one message, then it ends.
mkdir -p "$E2E_DIR/other-tmp"
e2e_start_app /usr/bin/env -u XDG_RUNTIME_DIR TMPDIR="$E2E_DIR/other-tmp" XDG_CONFIG_HOME="$E2E_DIR/other-tmp" "$program"
second=$APP_PID
message=$(wait_for_window "$MESSAGE_CAPTION") || e2e_abort "the second copy showed no message"
e2e_check_equal "the message belongs to the second copy" "$second" "$(window_pid "$message")"
e2e_check_equal "message boxes up" "1" "$(e2e_visible_windows "$MESSAGE_CAPTION" | wc -l)"
# The second copy made no window of its own besides the message: one main window in all.
e2e_check_equal "main windows in all while the message is up" "1" "$(e2e_all_windows "$MAIN_CAPTION" | wc -l)"
check_startup_form_never_shown

e2e_activate "$message"
press_keys Return
if wait_for_exit "$second"; then
    e2e_check_equal "exit status of the second copy" "0" "$E2E_EXIT_STATUS"
else
    e2e_abort "the second copy did not end after OK"
fi

if kill -0 "$first" 2>/dev/null && e2e_window_visible "$MAIN"; then
    e2e_pass "the first copy keeps running with its main window"
else
    e2e_fail "the first copy or its main window is gone"
fi
e2e_check_equal "the first copy's main window stays where it was" "$geometry_before" "$(window_geometry "$MAIN")"
expect_none_visible "after the second copy ended" "$MESSAGE_CAPTION"

e2e_finish
