# shellcheck shell=bash
# What the exit-screen tests share, on top of lib.sh (source that first).

readonly EXIT_CAPTION=$RUN_TIME_CAPTION

# Ids of every window titled exactly TITLE, mapped or not, one a line. A hidden window keeps
# its X window, so the same id means the same window, never a fresh one.
exit_all_windows() { # TITLE
    xdotool search --name "^$(e2e_regex_literal "$1")\$" 2>/dev/null
}

# Starts the program and waits for the main window; sets MAIN.
start_at_main_window() { # PROGRAM
    e2e_start_app "$1"
    MAIN=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
}

# Waits for the exit screen, checks that it is the one visible window of the program and that
# it stays above other windows; sets EXIT_SCREEN.
expect_exit_screen() { # HOW_IT_WAS_REACHED
    EXIT_SCREEN=$(wait_for_window "$EXIT_CAPTION") || e2e_abort "$1: the exit screen did not appear"
    e2e_pass "$1: the exit screen appears"
    if xprop -id "$EXIT_SCREEN" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; then
        e2e_pass "$1: the exit screen stays on top"
    else
        e2e_fail "$1: the exit screen is not kept above other windows"
    fi
    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while [ -n "$(e2e_visible_windows "$MAIN_CAPTION")" ]; do
        e2e_before "$deadline" || break
        sleep 0.1
    done
    if [ -n "$(e2e_visible_windows "$MAIN_CAPTION")" ]; then
        e2e_fail "$1: a window titled '$MAIN_CAPTION' is still visible beside the exit screen"
    else
        e2e_pass "$1: no main or result window is visible"
    fi
    kill -0 "$APP_PID" 2>/dev/null || e2e_fail "$1: the program ended instead of showing the exit screen"
}

# Waits for the program to end and checks its exit status is 0.
expect_program_end() { # HOW_IT_WAS_ENDED
    if wait_for_exit "$APP_PID"; then
        e2e_check_equal "$1: the program ends with status" "0" "$E2E_EXIT_STATUS"
    else
        e2e_fail "$1: the program did not end within ${E2E_TIMEOUT}s"
    fi
}

# Waits until the window no longer exists at all: unloaded, not merely hidden.
wait_for_window_destroyed() { # WINDOW_ID
    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while xwininfo -id "$1" >/dev/null 2>&1; do
        e2e_before "$deadline" || return 1
        sleep 0.1
    done
}
