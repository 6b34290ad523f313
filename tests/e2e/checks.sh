# The frame of an end-to-end test, sourced once ROOT and BUILD are set: it joins the
# test session's virtual display, loads the Wine driver, keeps the tally, where each
# check counts as passed or failed and a failed one says what it expected, and tells
# the session's progress file which part runs (the test command shows it as it grows).

STATE=$BUILD/wine
export DISPLAY=":$(cat "$STATE/display")"
. "$ROOT/scripts/wine-driver.sh"
trap end_waiting_jobs EXIT

passed=0
failed=0
TEST_NAME=$(basename "$0" .sh)

progress() { echo "$TEST_NAME: $*" >>"$STATE/progress"; }

run_part() {  # run_part FUNCTION [ARGUMENTS...]
    progress "$* ($passed checks passed so far)"
    "$@"
}

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
    progress "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
