#!/usr/bin/env bash
# End-to-end: the program as a screen reader finds it on the accessibility bus. The sponsor
# line and the visible advertisement are links with a Press action, and pressing one opens one
# page; the covered advertisement is not shown; no focusable control sits in a nested frame;
# About is a modal dialog and choosing it returns at once; names typed and Next pressed through the bus give a report that can be read.
# Then the keyboard walks the windows while Orca, the screen reader, listens: Back returns to the
# last field, Tab into an empty field and into the exit screen's prompt fields names them, a filled
# field is read whole (Back, Tab, Shift+Tab), and the exit screen after Next and Back starts on
# Exit and says its support message and promotion once, not again after its own message box.
#
# Usage: screen_reader.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/atspi_lib.sh"

program=${1:?usage: screen_reader.sh PATH_TO_PROGRAM}
# A part of the promotion, which the exit screen says with its support message.
readonly EXIT_PROMOTION="Zorvic Softwares suite"

atspi_enter_session "$@"
e2e_setup
e2e_start_x
atspi_start_bus
atspi_start_orca
e2e_start_app "$program"
atspi_check screen-reader "$program" "$E2E_BROWSER_LOG"

# --- The report is up (Next through the bus, the focus left in the first-name field JOHN).
result=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the result window is not up"
e2e_activate "$result"
orca_mark
press_alt b
orca_says "Back" "First Name text" "JOHN"
orca_mark
press_keys Tab
orca_says "Tab into the empty middle-name field" "Middle Name"
orca_mark
press_keys Tab
orca_says "Tab into the filled last-name field" "Last Name text" "SMITH" "selected"
orca_mark
press_keys shift+Tab shift+Tab
orca_says "Shift+Tab back into the first-name field" "First Name text" "JOHN" "selected"
orca_mark
press_alt f
press_keys x
orca_says "the exit screen after Next and Back" "Exit push button"
orca_says "the exit screen says its promotion as it appears" "$EXIT_PROMOTION"
orca_mark
press_keys Tab Tab
orca_says "Tab past the home-page box into the name field" "Your Name"
orca_mark
press_alt n
orca_says "Refer Now with no address" "Please Enter"
orca_mark
press_keys Return
orca_says "the exit screen back after its message" "Your Name"
orca_did_not_say "the exit screen back after its message" "$EXIT_PROMOTION"
press_alt x
wait_for_exit "$APP_PID" || e2e_fail "Alt+X did not end the program"
e2e_finish
