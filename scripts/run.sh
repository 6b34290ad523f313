#!/usr/bin/env bash
# Builds a program and runs it: the converter (the default), the gallery of components
# ("gallery") or the vibration program ("vibration"). With a display it runs under Wine in a window on the desktop;
# without one it runs on a virtual display, where a short demonstration drives it with
# real key and mouse events, prints what it did, saves a screenshot and closes it.
#   run.sh [converter|gallery|vibration] [program arguments...]
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
program=converter
case "${1:-}" in converter|gallery|vibration) program=$1; shift ;; esac
. scripts/packages.sh
echo "Checking the packages of building and running..."
ensure_packages "${run_packages[@]}" || exit 1

echo "Configuring the build in build/run..."
cmake --preset run >/dev/null || exit 1
echo "Building $program.exe..."
cmake --build --preset run --target "$program" window_texts || exit 1
BUILD=$ROOT/build/run
exe=$BUILD/app/converter.exe
[ "$program" == gallery ] && exe=$BUILD/examples/gallery/gallery.exe
[ "$program" == vibration ] && exe=$BUILD/examples/vibration/vibration.exe

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    export WINEPREFIX=$BUILD/run-prefix WINEDEBUG=-all
    exec wine "$exe" "$@"
fi

echo "No display: running the $program on a virtual display."
STATE=$BUILD/run-session
if [ -d "$STATE/prefix" ]; then
    echo "Starting the virtual display and Wine..."
else
    echo "Starting the virtual display and Wine (a new Wine prefix takes about 15 s)..."
fi
"$ROOT/cmake/wine-session.sh" start "$STATE" || exit 1
trap '"$ROOT/cmake/wine-session.sh" stop "$STATE"' EXIT
export DISPLAY=":$(cat "$STATE/display")"
. scripts/wine-driver.sh

demo_converter() {
    click_child $(level_field)
    xdotool type --delay 100 "120"
    sleep 1
    echo "Level typed:  $(field_text $(level_field)) dB"
    echo "Result field: $(field_text $(result_field)) m/s2"
    screenshot "$ROOT/converter.png"
    echo "Screenshot:   $ROOT/converter.png"
    xdotool key alt+F4
}

# The information box of /ih: its caption and text, then Enter closes it.
demo_information() {
    local lines
    lines=$(window_lines "#32770")
    echo "Caption: $(echo "$lines" | grep '^window' | cut -f13-)"
    echo "Text:"
    echo "$lines" | awk -F'\t' '$1 == "child" && $2 == "Static" && $13 != ""' | cut -f13- |
        sed 's/\\r\\n/\n/g; s/^/    /; s/\n/\n    /g'
    echo "Exit code: $(confirm_and_wait)"
}

# Enter twice in the radius field (the sums 5 and 10), the password, the title's
# tooltip; then the close that asks once.
demo_gallery() {
    click_client 195 171
    xdotool key End shift+Home
    xdotool type --delay 100 "100"
    xdotool key Return; sleep 0.3; xdotool key Return; sleep 0.5
    echo "Radius 100 at 30 degrees, Enter twice: the sum of sqrt(r) * sin(angle) is $(child_at 276 212 | cut -f13-)"
    click_client 195 289
    type_keys "секрет"
    xdotool key Return; sleep 0.5
    local panel="stays hidden"
    [ "$(window_lines | grep 'Пароль верный' | cut -f7)" == 1 ] && panel="is shown"
    echo "Password entered: $(child_at 316 278 | cut -f13-); the panel \"Пароль верный\" $panel"
    click_client 320 300
    click_client 320 17 0; sleep 1.5
    echo "Tooltip of the title: $(window_lines tooltips_class32 | grep '^window' | cut -f13-)"
    screenshot "$ROOT/gallery.png"
    echo "Screenshot: $ROOT/gallery.png"
    echo "The event log: $(child_at 400 150 | cut -f13- | sed 's/\\r\\n/; /g')"
    click_client 195 143
    xdotool key alt+F4; sleep 1
    echo "Closed once: it asks: $(child_at 400 418 | cut -f13-)"
    xdotool key alt+F4
}

# A value typed over the start's 120 dB, then the table row by row.
demo_vibration() {
    # The value field has the focus at the start, its text selected.
    xdotool type --delay 100 "110"
    sleep 1
    echo "Value typed: 110, уровень виброускорения, дБ (СКЗ) at 100 Hz, ISO 1683"
    xdotool key ctrl+shift+c
    sleep 0.5
    echo "The table as Ctrl+Shift+C copied it (tab-separated):"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --clipboard 2>/dev/null | tr -d '\r' | sed 's/^/    /'
    screenshot "$ROOT/vibration.png"
    echo "Screenshot: $ROOT/vibration.png"
    xdotool key alt+F4
}

rm -f "$BUILD/examples/gallery/gallery.ini"
rm -f "$STATE"/prefix/drive_c/users/*/AppData/Roaming/Vibration/vibration.ini  # the demonstration starts from the defaults
echo "Starting $program.exe $*"
start_program "$exe" "$@"
if [ "$program" == converter ] && [ "${1:-}" == /ih ]; then
    wait_for_window "#32770" || exit 1
    sleep 0.5
    demo_information
    exit 0
fi
wait_for_window || exit 1
sleep 1
"demo_$program"
echo "Exit code: $(wait_for_exit)"
rm -f "$BUILD/examples/gallery/gallery.ini"
rm -f "$STATE"/prefix/drive_c/users/*/AppData/Roaming/Vibration/vibration.ini  # the demonstration starts from the defaults
