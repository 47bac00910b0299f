#!/usr/bin/env bash
# End-to-end: the desktop around the program failing. In every case the program starts, shows
# the main window, gives the report for JOHN SMITH and ends through its exit screen:
#
#   case               what is wrong                                 also checked
#   opener-fails       every browser stand-in exits with status 1    Help, Online Help still
#                                                                    reaches it; window works
#   no-clipboard-mgr   no clipboard manager; the mouse moves over    the report still shows,
#                      the report, which empties the clipboard       Back works
#   killed             the program is killed (SIGKILL) mid-run       the stored date survives,
#                                                                    the next start works
#
# A clipboard that refuses to be emptied cannot be made on X (whoever asks may own it), so the
# clipboard case checks the part that can fail here: emptying it with no manager running.
#
# Usage: fault_environment.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/fault_lib.sh"

fault_setup "${1:?usage: fault_environment.sh PROGRAM}"

new_case opener-fails
failing_log="$CASE_DIR/failed-urls.txt"
mkdir -p "$CASE_DIR/bin"
saved_path=$PATH saved_browser=$BROWSER
e2e_browser_stand_ins "$CASE_DIR/bin" "$failing_log" 1
start_to_main 0
e2e_activate "$MAIN"
press_keys alt+h o
e2e_expect "opener-fails: Online Help reached the failing opener" "opener-fails: Online Help reached no opener" \
    e2e_wait_until "$E2E_TIMEOUT" test -s "$failing_log"
kill -0 "$APP_PID" 2>/dev/null || e2e_abort "opener-fails: the program ended"
MAIN=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "opener-fails: the main window went away"
report_for_john_smith
leave_through_file_exit "$MAIN"
export PATH="$saved_path" BROWSER="$saved_browser"

# The mouse crosses the report box several times; each move empties the clipboard.
# shellcheck disable=SC2317 # called through RESULT_HOOK
move_over_report() {
    local x y w h _
    eval "$(xdotool getwindowgeometry --shell "$RESULT" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    x=$X y=$Y w=$WIDTH h=$HEIGHT
    for _ in 1 2 3; do
        xdotool mousemove $((x + w / 3)) $((y + h / 3)) mousemove $((x + w / 2)) $((y + h / 2))
    done
    xdotool mousemove 1279 1023
    e2e_window_visible "$RESULT" || e2e_abort "no-clipboard-mgr: the result window went away"
    check_report_shown
}
new_case no-clipboard-mgr
RESULT_HOOK=move_over_report
walk_through 0
RESULT_HOOK=""

new_case killed
start_to_main 0
e2e_check_equal "killed: the first start stored today" "0" "$(stored_days)"
e2e_activate "$MAIN"
type_text "john"
stop_program KILL
e2e_check_equal "killed: the stored date survives" "0" "$(stored_days)"
walk_through 0
e2e_check_equal "killed: the stored date after the next start" "0" "$(stored_days)"

e2e_finish
