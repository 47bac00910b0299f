#!/usr/bin/env bash
# End-to-end: the program as a screen reader finds it on the accessibility bus. The sponsor
# line and the visible advertisement are links with a Press action, and pressing one opens one
# page; the covered advertisement is not shown; no focusable control sits in a nested frame; the
# date lists say which part of the date they are; About is a modal dialog and choosing it
# returns at once; names typed and Next pressed through the bus give a report that can be read.
#
# Usage: screen_reader.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/atspi_lib.sh"

program=${1:?usage: screen_reader.sh PATH_TO_PROGRAM}

atspi_enter_session "$@"
e2e_setup
e2e_start_x
atspi_start_bus
e2e_start_app "$program"
atspi_check screen-reader "$program" "$E2E_BROWSER_LOG"
e2e_finish
