# Shared by the packaging checks: one PASS or FAIL line per check, counted, and the closing
# "N passed, N failed" line. Source it; it defines pass, fail and report_counts.
passed=0
failed=0
pass() {
    printf 'PASS: %s\n' "$*"
    passed=$((passed + 1))
}
fail() {
    printf 'FAIL: %s\n' "$*"
    failed=$((failed + 1))
}
# Prints the closing line; succeeds only when nothing failed.
report_counts() {
    printf '%d passed, %d failed\n' "$passed" "$failed"
    [ "$failed" -eq 0 ]
}
