# The frame of an end-to-end test, sourced once ROOT and BUILD are set: it joins the
# test session's virtual display, loads the Wine driver, and keeps the tally, where each
# check counts as passed or failed and a failed one says what it expected.

STATE=$BUILD/wine
export DISPLAY=":$(cat "$STATE/display")"
. "$ROOT/scripts/wine-driver.sh"
trap end_waiting_jobs EXIT

passed=0
failed=0

check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1: expected [$2], got [$3]"
    fi
}

check_true() {  # check_true NAME COMMAND...
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}

# Prints the tally; the test's result is whether nothing failed.
finish_checks() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
