#!/usr/bin/env bash
# Runs a Windows test program under Wine inside the session that wine-session.sh started.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -uo pipefail

state=$1
shift
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# A C locale gives the process an ANSI code page other than 1251, so the tests see
# whether texts really cross the platform boundary as Windows-1251.
export LC_ALL=C
export DISPLAY=":$(cat "$state/display")"

# The program writes into files, and what it writes is passed on while it runs: a Wine
# service that the program starts (the desktop, the clipboard's keeper) outlives it and
# would hold the test runner's output pipe open, so that the runner waited for it until
# the test's time was up.
output=$(mktemp "$state/run.XXXXXX")
errors=$(mktemp "$state/run.XXXXXX")
trap 'rm -f "$output" "$errors"' EXIT
wine "$@" </dev/null >"$output" 2>"$errors" &
program=$!
tail -s 0.1 -n +1 -f --pid="$program" "$output" &
shown=$!
wait "$program"
status=$?
wait "$shown"
cat "$errors" >&2
exit $status
