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

readonly WINDOW_CAPTION=$MAIN_CAPTION
readonly HIDDEN_FORM_CAPTION=$RUN_TIME_CAPTION

# The report for the number 7 as the report box shows it and a keyboard copy delivers it:
# line feeds only, and the four closing line breaks after the interpretation.
expected_report() {
    printf '%s\n\n%s\n\n%s\n\n\n\n' \
        "Your Subconscious Self Number is: 7" \
        "This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the confidence you have in your personal power and competence, as well as the part of your nature that needs to be strengthened." \
        "You are well-balanced person. You are quite capable of handling life's challenges. In times of trouble you retreat within yourself. People may find you to be indifferent and aloof. Your analytical mind will find an answer for all problems."
}

e2e_setup
e2e_start_x
e2e_start_app "$program"

# --- Start: the main window appears, the start-up form never does.
main=$(wait_for_window "$WINDOW_CAPTION") || e2e_abort "main window '$WINDOW_CAPTION' did not appear"
e2e_pass "main window appears"
if [ -n "$(e2e_visible_windows "$HIDDEN_FORM_CAPTION")" ]; then
    e2e_fail "a window titled '$HIDDEN_FORM_CAPTION' is visible after start"
else
    e2e_pass "no start-up or exit screen visible after start"
fi

# --- JOHN SMITH typed in lower case from the first-name field, which has the focus at start, then
# Next (Alt+N): the main window goes, the result window comes with the report.
open_report_for_john_smith "$main"
e2e_pass "Next hides the main window and shows the result window"
e2e_activate "$RESULT"

# The report box may or may not have the focus when the window opens; Tab moves into it.
# Only the keyboard is used: a mouse over the report empties the clipboard.
report_file="$E2E_DIR/report.txt"
copied=false
for _ in 1 2 3; do
    if copy_with_keys "$report_file"; then
        copied=true
        break
    fi
    press_keys Tab
done
if ! $copied; then
    e2e_fail "the report could not be selected and copied with the keyboard"
elif cmp -s <(expected_report) "$report_file"; then
    e2e_pass "the copied report is the report for 7, word for word"
else
    e2e_fail "the copied report differs from the report for 7:"
    diff <(expected_report) "$report_file" | cat -A | head -20
fi

# --- Back: the result window goes, the main window returns alone.
press_keys alt+b
wait_for_window_gone "$RESULT" || e2e_abort "Back (Alt+B) did not close the result window"
main_again=$(wait_for_window "$WINDOW_CAPTION") || e2e_abort "the main window did not come back after Back"
e2e_pass "Back closes the result window and shows the main window"
if [ "$(e2e_visible_windows "$WINDOW_CAPTION" | wc -l)" -ne 1 ]; then
    e2e_fail "more than one window titled '$WINDOW_CAPTION' is visible after Back"
fi
if [ -n "$(e2e_visible_windows "$HIDDEN_FORM_CAPTION")" ]; then
    e2e_fail "a window titled '$HIDDEN_FORM_CAPTION' is visible after Back"
fi

# --- File, Exit hands over to the exit screen, whose Exit button ends the program.
leave_through_file_exit "$main_again"

# Nothing in this run opens a web page.
if [ -s "$E2E_BROWSER_LOG" ]; then
    e2e_fail "pages were opened: $(tr '\n' ' ' <"$E2E_BROWSER_LOG")"
else
    e2e_pass "no web page was opened"
fi

e2e_finish
