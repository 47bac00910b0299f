#!/usr/bin/env bash
# End-to-end: the refer-a-friend panel of the exit screen, typed into as a user would. A space
# typed into an e-mail box is refused with a message box, after which the box has the focus
# again and holds what it held; a referral with valid fields opens exactly one URL, every
# value percent-encoded, and the exit screen stays open.
#
# Usage: exit_referral.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: exit_referral.sh PATH_TO_PROGRAM}

readonly EXPECTED_URL="https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=vlzs-refer-a-friend&taf1=John&taf2=john%40example.com&taf3=Your%20Message%0D%0A&taf4=Mary&taf5=mary%40example.org&taf6=https%3A%2F%2Fvelmora.example%2Fvl-free-subconscious-self-number%2F"

# Types a space into the focused e-mail box, checks the refusal and dismisses it with Return.
refuse_space() { # DESCRIPTION
    press_keys space
    local message
    message=$(wait_for_window "$MESSAGE_CAPTION") || e2e_abort "$1: no message box after a typed space"
    e2e_pass "$1: a typed space brings up a message box"
    press_keys Return
    wait_for_window_gone "$message" || e2e_abort "$1: Return did not dismiss the message box"
}

e2e_setup
e2e_start_x
start_at_main_window "$program"
exit_by_file_exit "File, Exit"
e2e_activate "$EXIT_SCREEN"

# The focus starts on Exit; the tab order leads on to the check box, then the name box.
press_keys Tab Tab
type_text "John"
press_keys Tab Tab
type_text "john@example.com"
refuse_space "your e-mail box"
copy_field_text
e2e_check_equal "after the refused space your e-mail box has the focus and its text" \
    "john@example.com" "$E2E_COPIED"
press_keys End

# The friend's box holds only pasted blanks when the space comes: the message box taking the
# focus for a while must neither put the caption back nor empty the box.
press_keys Tab
e2e_set_clipboard "   "
press_keys ctrl+v
refuse_space "the friend's e-mail box"
copy_field_text
e2e_check_equal "after the refused space the friend's e-mail box has the focus and its blanks" \
    "   " "$E2E_COPIED"
type_text "mary@example.org" # replaces the selected blanks
copy_field_text
e2e_check_equal "the friend's e-mail box as typed" "mary@example.org" "$E2E_COPIED"
press_keys End Tab
type_text "Mary"

press_keys alt+n
if wait_for_opened_urls 1; then
    e2e_check_equal "the referral URL" "$EXPECTED_URL" "$(head -n 1 "$E2E_BROWSER_LOG")"
else
    e2e_fail "Refer A Friend Now (Alt+N) opened no URL"
fi
e2e_expect "the exit screen stays open after the referral" "the exit screen went away after the referral" \
    e2e_window_visible "$EXIT_SCREEN"

e2e_activate "$EXIT_SCREEN"
press_keys alt+x
expect_program_end "the exit screen's Exit button after the referral"
e2e_check_equal "URLs opened by one referral" "1" "$(wc -l <"$E2E_BROWSER_LOG")"

e2e_finish
