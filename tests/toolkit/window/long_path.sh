#!/usr/bin/env bash
# Runs the program-folder test from a copy of the test program whose full Windows path
# is 259 characters long, one below the system's limit.
#   long_path.sh SOURCE_DIR WINE_STATE_DIR TEST_PROGRAM
set -euo pipefail
ROOT=$1
STATE=$2
program=$3
base=$(dirname "$program")/long-path
name=$(basename "$program")
# The Windows path: "Z:" and the Unix path with backslashes.
length=$(( ${#base} + 2 + 1 + ${#name} + 1 ))
folder=$base/$(printf '%*s' $((259 - length)) '' | tr ' ' 'd')
rm -rf "$base"
mkdir -p "$folder"
cp "$program" "$folder/"
trap 'rm -rf "$base"' EXIT
"$ROOT/cmake/wine-run.sh" "$STATE" "$folder/$name" --gtest_filter='ProgramDirectory.*'
