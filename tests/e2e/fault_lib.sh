# shellcheck shell=bash
# What the fault tests share, on top of lib.sh (source that first): a fresh home, settings and
# runtime folder for each case, optionally owned by an unprivileged user who then runs the
# program, and one walk through the program that every case takes: start (answering each
# question No), a report for JOHN SMITH, Back, File, Exit and the exit screen's Exit.
# shellcheck disable=SC2034 # some values are used only by the scripts that source this file

readonly FAULT_USER=nobody
readonly FAULT_GROUP=65533 # a group of the user's alone, as a private group is; "nogroup" is shared

CASE_DIR=""
CASE_USER=""   # empty: the program runs as the test's own user
PROGRAM=""

fault_setup() { # PROGRAM
    PROGRAM=$1
    e2e_setup
    # Cases run by another user must reach their own folders below this one.
    chmod 0711 "$E2E_DIR"
    e2e_start_x
}

# Whether this machine can run the program as an unprivileged user: only root can switch.
fault_can_switch_user() {
    [ "$(id -u)" -eq 0 ] && id "$FAULT_USER" >/dev/null 2>&1 && command -v setpriv >/dev/null
}

# A fresh home, settings, runtime and temporary folder for the case NAME; with USER they
# belong to that user, who then runs the program and reads and writes its stored date.
new_case() { # NAME [USER]
    CASE_DIR="$E2E_DIR/cases/$1"
    CASE_USER=${2:-}
    mkdir -p "$CASE_DIR"/{home,config,data,cache,runtime,tmp}
    chmod 0700 "$CASE_DIR/runtime"
    export HOME="$CASE_DIR/home" XDG_CONFIG_HOME="$CASE_DIR/config" XDG_DATA_HOME="$CASE_DIR/data"
    export XDG_CACHE_HOME="$CASE_DIR/cache" XDG_RUNTIME_DIR="$CASE_DIR/runtime" TMPDIR="$CASE_DIR/tmp"
    chmod 0711 "$E2E_DIR/cases"
    if [ -n "$CASE_USER" ]; then
        chown -R "$CASE_USER:$FAULT_GROUP" "$CASE_DIR"
    fi
    SETTINGS_FOLDER="$XDG_CONFIG_HOME/$(basename "$PROGRAM")"
    SETTINGS_FILE="$SETTINGS_FOLDER/$(basename "$PROGRAM").ini"
    printf -- '--- case %s%s\n' "$1" "${CASE_USER:+ (run as $CASE_USER)}"
}

# Runs a command as the case's user (or as is when the case has none).
as_case_user() { # COMMAND [ARGS...]
    ${CASE_USER:+/usr/bin/setpriv --reuid="$CASE_USER" --regid="$FAULT_GROUP" --clear-groups --} "$@"
}

# Starts the program in the background as the case's user. Sets APP_PID.
start_program() {
    e2e_start_app ${CASE_USER:+/usr/bin/setpriv --reuid="$CASE_USER" --regid="$FAULT_GROUP" --clear-groups --} "$PROGRAM"
}

# Starts the program and answers each question No until the main window is up; checks that
# exactly EXPECTED questions came. Sets MAIN.
start_to_main() { # EXPECTED_QUESTIONS
    start_program
    local questions=0 question deadline
    MAIN=""
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while e2e_before "$deadline" && kill -0 "$APP_PID" 2>/dev/null; do
        MAIN=$(e2e_visible_windows "$MAIN_CAPTION" | head -n 1)
        [ -n "$MAIN" ] && break
        question=$(e2e_visible_windows "$MESSAGE_CAPTION" | head -n 1)
        if [ -n "$question" ]; then
            questions=$((questions + 1))
            e2e_activate "$question"
            press_keys n
            wait_for_window_gone "$question" || e2e_abort "a question did not close on 'n'"
            deadline=$(e2e_deadline "$E2E_TIMEOUT")
        fi
        sleep 0.1
    done
    [ -n "$MAIN" ] || e2e_abort "the main window did not appear (program $(kill -0 "$APP_PID" 2>/dev/null && echo running || echo ended))"
    e2e_pass "the main window appears"
    e2e_check_equal "questions asked at this start" "$1" "$questions"
    expect_none_visible "beside the main window" "$MESSAGE_CAPTION"
}

# Types JOHN SMITH, takes Next and checks the report's first line; runs RESULT_HOOK (if set)
# in the result window, then Back. Sets RESULT and MAIN.
report_for_john_smith() {
    open_report_for_john_smith "$MAIN"
    e2e_activate "$RESULT"
    check_report_shown
    if [ -n "${RESULT_HOOK:-}" ]; then
        "$RESULT_HOOK"
    fi
    back_to_main_window
    e2e_pass "Back returns to the main window"
}

# The whole walk of one start.
walk_through() { # EXPECTED_QUESTIONS
    start_to_main "$1"
    report_for_john_smith
    leave_through_file_exit "$MAIN"
}
