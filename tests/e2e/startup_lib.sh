# shellcheck shell=bash
# What the start-up tests share, on top of lib.sh (source that first).
# shellcheck disable=SC2034 # the captions are used by the scripts that source this file

readonly STARTUP_FORM_CAPTION=$RUN_TIME_CAPTION

# Ids of every window titled exactly TITLE, mapped or not, one a line. A window that was ever
# shown keeps its X window while it is hidden, so none at all means it was never shown.
e2e_all_windows() { # TITLE
    xdotool search --name "^$(e2e_regex_literal "$1")\$" 2>/dev/null
}

# The start-up form is never shown, not even for a moment.
check_startup_form_never_shown() {
    if [ -n "$(e2e_all_windows "$STARTUP_FORM_CAPTION")" ]; then
        e2e_fail "a window titled '$STARTUP_FORM_CAPTION' was created (the start-up form was shown)"
    else
        e2e_pass "the start-up form was never shown"
    fi
}

# The process that owns the window.
window_pid() { # WINDOW_ID
    xprop -id "$1" _NET_WM_PID 2>/dev/null | awk '{ print $3 }'
}

# Position and size of a window on the screen, as one line.
window_geometry() { # WINDOW_ID
    xwininfo -id "$1" 2>/dev/null |
        awk -F: '/Absolute upper-left|Width|Height/ { gsub(/ /, "", $2); printf "%s ", $2 }'
}
