#!/usr/bin/env bash
# End-to-end: the real program on a private X server. Next shows the report for JOHN SMITH,
# Back returns to the main window alone, and File, Exit leaves through the exit screen. What
# the windows do with the input (upper-casing, the names kept after Back, the date checks) is
# the unit tests'.
#
# Usage: main_window_flow.sh PATH_TO_PROGRAM
set -u
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: main_window_flow.sh PATH_TO_PROGRAM}

# The report for the number 7 as the report box shows it and a keyboard copy delivers it:
# line feeds only, and the four closing line breaks after the interpretation.
expected_report() {
    printf '%s\n\n%s\n\n%s\n\n\n\n' \
        "$REPORT_FIRST_LINE" \
        "This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the confidence you have in your personal power and competence, as well as the part of your nature that needs to be strengthened." \
        "You are well-balanced person. You are quite capable of handling life's challenges. In times of trouble you retreat within yourself. People may find you to be indifferent and aloof. Your analytical mind will find an answer for all problems."
}

e2e_setup
e2e_start_x

# --- Start: the main window appears, the start-up form never does.
start_at_main_window "$program"
e2e_pass "main window appears"
expect_none_visible "after start" "$EXIT_CAPTION"

# --- JOHN SMITH typed in lower case from the first-name field, which has the focus at start, then
# Next (Alt+N): the main window goes, the result window comes with the report.
open_report_for_john_smith "$MAIN"
e2e_pass "Next hides the main window and shows the result window"
e2e_activate "$RESULT"
report_file="$E2E_DIR/report.txt"
if ! copy_report "$report_file"; then
    e2e_fail "the report could not be selected and copied with the keyboard"
elif cmp -s <(expected_report) "$report_file"; then
    e2e_pass "the copied report is the report for 7, word for word"
else
    e2e_fail "the copied report differs from the report for 7:"
    diff <(expected_report) "$report_file" | cat -A | head -20
fi

# --- Back: the result window goes, the main window returns alone.
back_to_main_window
e2e_pass "Back closes the result window and shows the main window"
e2e_check_equal "windows titled '$MAIN_CAPTION' after Back" "1" "$(e2e_visible_windows "$MAIN_CAPTION" | wc -l)"
expect_none_visible "after Back" "$EXIT_CAPTION"

# --- File, Exit hands over to the exit screen, whose Exit button ends the program.
leave_through_file_exit "$MAIN"
expect_no_page_opened "this run"

e2e_finish
