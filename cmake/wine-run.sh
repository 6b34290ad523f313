#!/usr/bin/env bash
# Runs a Windows test program under Wine inside the session that wine-session.sh started.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail

state=$1
shift
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# A C locale gives the process an ANSI code page other than 1251, so the tests see
# whether texts really cross the platform boundary as Windows-1251.
export LC_ALL=C
export DISPLAY=":$(cat "$state/display")"
exec wine "$@"
