#!/usr/bin/env bash
# Runs the program under valgrind's memcheck through a whole session on a private X server
# (Xvfb with openbox): start, the report for JOHN SMITH, Back, the About box, File, Exit, a
# referral with valid fields from the exit screen, and the exit screen's Exit.
#
# The browser is started through a fork: the child holds a copy of the heap without the other
# threads that referenced it, so its exit would report the Qt event loop threads' memory as
# lost; --child-silent-after-fork keeps the log to the program itself. Frames in the program's
# own code are printed as src/... (--fullpath-after) and counted apart.
#
# Errors in the libraries underneath (Qt, fontconfig, the X libraries, the dynamic loader) are
# suppressed by tests/valgrind.supp, each entry with its reason; of the leaks only definite
# ones count. Any error left makes valgrind end with status 3 and this script fail.
#
# Usage: scripts/memcheck.sh [BUILD_DIR]
#   BUILD_DIR  a configured tree to build the program in (default: the default preset's
#              build/default, configured here when missing)
set -u
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Everything is about thirty times slower under valgrind.
export E2E_TIMEOUT=${E2E_TIMEOUT:-120}
export E2E_KEY_DELAY=${E2E_KEY_DELAY:-300}
export E2E_COPY_TIMEOUT=${E2E_COPY_TIMEOUT:-60}
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"

command -v valgrind >/dev/null || {
    echo "valgrind is not installed (apt-get install valgrind)" >&2
    exit 1
}
if [ $# -ge 1 ]; then
    build_dir=$1
else
    build_dir="$repo/build/default"
    [ -f "$build_dir/CMakeCache.txt" ] || (cd "$repo" && cmake --preset default) || exit 1
fi
cmake --build "$build_dir" --target VLFreeSubconsciousSelfNumber -j2 || exit 1
program="$(cd "$build_dir" && pwd)/src/app/VLFreeSubconsciousSelfNumber"

# A message box the program put up (a refused key, a refused field): closed with Return, so
# that a retry starts from the field again. Fails when there is none.
dismiss_message_box() { # WHEN
    local box
    box=$(e2e_visible_windows "$MESSAGE_CAPTION" | head -n 1)
    [ -n "$box" ] || return 1
    e2e_log "memcheck: a message box came up $1; closing it"
    e2e_activate "$box"
    press_keys Return
    wait_for_window_gone "$box" || e2e_abort "the message box $1 did not close"
}

# Clicks the field at X,Y of the exit screen, types TEXT and reads the field back through the
# clipboard until it holds exactly TEXT. Under valgrind the program lags far behind the keys,
# and the focus handlers clear or put back a placeholder, so a first try may land partly
# elsewhere: the read-back leaves the whole text selected, and typing again replaces it.
type_into_field() { # DESCRIPTION X Y TEXT
    local try
    for try in 1 2 3; do
        xdotool mousemove --window "$exit_screen" "$2" "$3" click 1 mousemove 1279 1023
        [ "$try" -gt 1 ] && press_keys ctrl+a
        type_text "$4"
        copy_field_text
        if [ "$E2E_COPIED" == "$4" ]; then
            e2e_pass "$1 holds '$4' (try $try)"
            return 0
        fi
        e2e_log "memcheck: $1 holds '$E2E_COPIED' instead of '$4' (try $try)"
        dismiss_message_box "while typing $1" || true
    done
    e2e_abort "$1 did not take '$4'"
}

e2e_setup
e2e_start_x
valgrind_log="$E2E_DIR/valgrind.log"
started=$(date +%s)
e2e_start_app "$(command -v valgrind)" --tool=memcheck --error-exitcode=3 --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$repo/tests/valgrind.supp" --gen-suppressions=all \
    --fullpath-after="$repo/" --child-silent-after-fork=yes \
    --log-file="$valgrind_log" "$program"

main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
e2e_pass "the main window appears"
open_report_for_john_smith "$main"
result=$RESULT
e2e_pass "the result window appears"
e2e_activate "$result"
press_keys alt+b
wait_for_window_gone "$result" || e2e_abort "Back did not close the result window"
main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not come back"
e2e_pass "Back returns to the main window"

e2e_activate "$main"
press_keys alt+h a
about=$(wait_for_window "$MAIN_CAPTION" "$main") || e2e_abort "the About box did not appear"
e2e_pass "the About box appears"
e2e_activate "$about"
press_keys Escape
wait_for_window_gone "$about" || {
    press_keys Return
    wait_for_window_gone "$about" || e2e_abort "the About box did not close"
}
e2e_pass "the About box closes"

e2e_activate "$main"
press_keys alt+f x
exit_screen=$(wait_for_window "$EXIT_CAPTION") || e2e_abort "the exit screen did not appear"
e2e_pass "the exit screen appears"
e2e_activate "$exit_screen"
# Each field is clicked before it is typed into: under valgrind the exit screen can come up
# with no widget focused, so that Tab from the Exit button reaches nothing. Points are from
# the window's top left corner: the name boxes on the left, the e-mail boxes on the right;
# yours above, the friend's below.
type_into_field "your name" 125 250 "John"
type_into_field "your e-mail" 359 250 "john@example.com"
type_into_field "the friend's e-mail" 359 273 "mary@example.org"
type_into_field "the friend's name" 125 273 "Mary"
press_keys alt+n
if wait_for_opened_urls 1; then
    e2e_pass "the referral opened $(head -n 1 "$E2E_BROWSER_LOG")"
else
    dismiss_message_box "after Refer A Friend Now" || true
    e2e_fail "the referral opened no URL"
fi
e2e_activate "$exit_screen"
press_keys alt+x
wait_for_exit "$APP_PID" || e2e_abort "the exit screen's Exit did not end the program"
elapsed=$(($(date +%s) - started))

cp "$valgrind_log" "$build_dir/memcheck.log"
grep -E 'ERROR SUMMARY|definitely lost' "$valgrind_log"
# Error and leak records (blank-line separated) with at least one frame in src/.
own_records=$(awk 'BEGIN { RS = "==[0-9]+== \n" } / \(src\// { n++ } END { print n + 0 }' "$valgrind_log")
echo "error or leak records with a frame in src/: $own_records"
echo "run time under valgrind: ${elapsed}s; full log: $build_dir/memcheck.log"
e2e_check_equal "valgrind's exit status (3: errors found)" "0" "$E2E_EXIT_STATUS"
e2e_check_equal "records with a frame in src/" "0" "$own_records"
if grep -q 'ERROR SUMMARY: 0 errors' "$valgrind_log" &&
    ! grep -q 'ERROR SUMMARY: [1-9]' "$valgrind_log"; then
    e2e_pass "memcheck found no errors"
else
    e2e_fail "memcheck found errors (see the log; suppressions printed there)"
fi
e2e_finish
