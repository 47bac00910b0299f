#!/usr/bin/env bash
# End-to-end: a first start (no settings at all) asks nothing, shows the main window with the
# program's icon, never shows the start-up form, and stores today as the reminder's date.
#
# Usage: startup_first_run.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PROGRAM=${1:?usage: startup_first_run.sh PATH_TO_PROGRAM}

e2e_setup
e2e_start_x
e2e_check_equal "no reminder date before the first start" "none" "$(stored_days)"

start_at_main_window "$PROGRAM"
e2e_pass "the main window appears"

# A question would have held the start until answered; none was ever created.
e2e_expect "a first start asks nothing" "a message box titled '$MESSAGE_CAPTION' came up on a first start" \
    test -z "$(e2e_all_windows "$MESSAGE_CAPTION")"
check_startup_form_never_shown
e2e_check_equal "windows titled '$MAIN_CAPTION'" "1" "$(e2e_visible_windows "$MAIN_CAPTION" | wc -l)"

# The icon reaches the window manager in the small sizes a title bar and a task bar use.
icon_sizes=$(xprop -id "$MAIN" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
if [[ "$icon_sizes" == *"Icon (16 x 16)"* && "$icon_sizes" == *"Icon (32 x 32)"* ]]; then
    e2e_pass "the main window carries the program's icon: $icon_sizes"
else
    e2e_fail "the main window lacks the icon sizes 16 and 32: '$icon_sizes'"
fi

# Nothing the first window does not need: no image plugin (the vector-image one among them).
plugins=$(grep -oE '[^ ]*/(imageformats|iconengines)/[^ ]*' "/proc/$APP_PID/maps" 2>/dev/null | sort -u | tr '\n' ' ')
e2e_expect "no image plugin was loaded at start" "image plugins loaded at start: $plugins" test -z "$plugins"

e2e_check_equal "the reminder's date is today after the first start" "0" "$(stored_days)"
e2e_expect "the program keeps running" "the program ended" e2e_quiet kill -0 "$APP_PID"

e2e_finish
