#!/usr/bin/env bash
# Runs the program under valgrind's memcheck through a whole session on a private X server
# (Xvfb with openbox): start, the report for JOHN SMITH, Back, the About box, File, Exit, a
# referral with valid fields from the exit screen, and the exit screen's Exit.
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
export E2E_KEY_DELAY=${E2E_KEY_DELAY:-150}
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

readonly MAIN_CAPTION="VL Subconscious Self Number  v1.90"
readonly EXIT_CAPTION="VL Subconscious Self Number v1.90"

e2e_setup
e2e_start_x
valgrind_log="$E2E_DIR/valgrind.log"
started=$(date +%s)
e2e_start_app "$(command -v valgrind)" --tool=memcheck --error-exitcode=3 --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$repo/tests/valgrind.supp" --gen-suppressions=all \
    --log-file="$valgrind_log" "$program"

main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
e2e_pass "the main window appears"
e2e_activate "$main"
type_text "john"
press_keys Tab Tab
type_text "smith"
press_keys alt+n
wait_for_window_gone "$main" || e2e_abort "Next did not hide the main window"
result=$(wait_for_window "$MAIN_CAPTION" "$main") || e2e_abort "the result window did not appear"
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
# The focus starts on Exit; the tab order leads on to the check box, then the name box.
press_keys Tab Tab
type_text "John"
press_keys Tab Tab
type_text "john@example.com"
press_keys Tab
type_text "mary@example.org"
press_keys Tab
type_text "Mary"
press_keys alt+n
deadline=$(e2e_deadline "$E2E_TIMEOUT")
until [ -s "$E2E_BROWSER_LOG" ] || ! e2e_before "$deadline"; do sleep 0.2; done
if [ -s "$E2E_BROWSER_LOG" ]; then
    e2e_pass "the referral opened $(head -n 1 "$E2E_BROWSER_LOG")"
else
    e2e_fail "the referral opened no URL"
fi
e2e_activate "$exit_screen"
press_keys alt+x
wait_for_exit "$APP_PID" || e2e_abort "the exit screen's Exit did not end the program"
elapsed=$(($(date +%s) - started))

cp "$valgrind_log" "$build_dir/memcheck.log"
grep -E 'ERROR SUMMARY|definitely lost' "$valgrind_log"
echo "run time under valgrind: ${elapsed}s; full log: $build_dir/memcheck.log"
e2e_check_equal "valgrind's exit status (3: errors found)" "0" "$E2E_EXIT_STATUS"
if grep -q 'ERROR SUMMARY: 0 errors' "$valgrind_log"; then
    e2e_pass "memcheck found no errors"
else
    e2e_fail "memcheck found errors (see the log; suppressions printed there)"
fi
e2e_finish
