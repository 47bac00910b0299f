#!/usr/bin/env bash
# End-to-end: with the reminder's date 15 days back, the update question (a Yes/No box titled
# "VL Subconscious Self Number") comes before any window of the program; the main window
# follows the answer. No opens nothing, Yes opens the download page; either stores today.
# A run killed while the question is up stores nothing, so the next start asks again.
#
# Usage: startup_reminder.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PROGRAM=${1:?usage: startup_reminder.sh PATH_TO_PROGRAM}
readonly DOWNLOAD_PAGE="https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=download-web-page"

e2e_setup
e2e_start_x

# Starts the program with the stored date 15 days back, answers the question with KEY and
# checks what comes before and after the answer.
start_and_answer() { # KEY ANSWER_NAME
    local key=$1 answer=$2
    e2e_check_equal "stored date before the start ($answer)" "-15" "$(stored_days)"

    e2e_start_app "$PROGRAM"
    local question
    question=$(wait_for_window "$MESSAGE_CAPTION") ||
        e2e_abort "no question titled '$MESSAGE_CAPTION' with the date 15 days back"
    e2e_pass "the question comes ($answer run)"
    # The main window does not exist yet, not even hidden: the question comes first.
    if [ -n "$(e2e_all_windows "$MAIN_CAPTION")" ]; then
        e2e_fail "the main window exists while the question is up"
    else
        e2e_pass "no window of the program exists while the question is up"
    fi
    check_startup_form_never_shown

    # The box takes only Yes and No: an OK box would not close on this key.
    e2e_activate "$question"
    press_keys "$key"
    wait_for_window_gone "$question" || e2e_abort "the question did not close on '$key'"
    wait_for_window "$MAIN_CAPTION" >/dev/null || e2e_abort "the main window did not appear after $answer"
    e2e_pass "the main window appears after $answer"
    expect_none_visible "after $answer" "$MESSAGE_CAPTION"
    check_startup_form_never_shown
    e2e_check_equal "stored date after $answer" "0" "$(stored_days)"
}

store_days -15
e2e_start_app "$PROGRAM"
wait_for_window "$MESSAGE_CAPTION" >/dev/null || e2e_abort "no question with the date 15 days back"
stop_program KILL
e2e_check_equal "stored date after a kill while the question is up" "-15" "$(stored_days)"

start_and_answer n No
expect_no_page_opened "after No"

# The program ends only through its exit screen; this run is simply stopped.
stop_program

store_days -15
start_and_answer y Yes
wait_for_opened_urls 1
e2e_check_equal "Yes opens the download page" "$DOWNLOAD_PAGE" "$(cat "$E2E_BROWSER_LOG")"
stop_program

e2e_finish
