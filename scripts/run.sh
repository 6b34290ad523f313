#!/usr/bin/env bash
# Builds the converter and runs it: in a window on the desktop when a display is there
# (under Wine), otherwise on a virtual display, where it types a sample level, prints the
# result field, saves a screenshot and closes the program.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
. scripts/packages.sh
ensure_packages || exit 1

cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target converter window_texts >/dev/null || exit 1
BUILD=$ROOT/build/windows

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    export WINEPREFIX=$BUILD/run-prefix WINEDEBUG=-all
    exec wine "$BUILD/app/converter.exe" "$@"
fi

echo "No display: running the converter on a virtual display."
STATE=$BUILD/run-session
"$ROOT/cmake/wine-session.sh" start "$STATE" || exit 1
trap '"$ROOT/cmake/wine-session.sh" stop "$STATE"' EXIT
export DISPLAY=":$(cat "$STATE/display")"
. scripts/converter-driver.sh

start_converter
wait_for_window || exit 1
sleep 1
click_child $(level_field)
xdotool type --delay 100 "120"
sleep 1
echo "Level typed:  $(field_text $(level_field)) dB"
echo "Result field: $(field_text $(result_field)) m/s2"
screenshot "$ROOT/converter.png"
echo "Screenshot:   $ROOT/converter.png"
xdotool key alt+F4
echo "Exit code:    $(wait_for_exit)"
