# Drives a running program (the converter, the gallery) from outside, through real X
# input events, and reads its windows through window_texts.exe. Sourced by the run
# commands and the end-to-end tests. Needs: STATE (a wine-session.sh state folder),
# BUILD (the windows build folder).

driver_wine() { "$ROOT/cmake/wine-run.sh" "$STATE" "$@"; }

# Starts a program with the given arguments; its exit code lands in $STATE/exit.
start_program() {
    local program=$1
    shift
    rm -f "$STATE/exit"
    ( driver_wine "$program" "$@" >/dev/null 2>&1; echo $? >"$STATE/exit" ) &
}
start_converter() { start_program "$BUILD/app/converter.exe" "$@"; }

# The program's windows, one line each: kind class left top right bottom visible style
# exstyle client-width client-height selection text.
window_lines() { driver_wine "$BUILD/tests/e2e/window_texts.exe" "${1:-obj_Form}" 2>/dev/null | tr -d '\r'; }

wait_for_window() {
    local class=${1:-obj_Form}
    for _ in $(seq 150); do
        # Not grep -q: quitting at the first line would cut the reading off (a broken pipe).
        [ -n "$(window_lines "$class" | grep '^window')" ] && return 0
        sleep 0.2
    done
    echo "no $class window appeared" >&2
    return 1
}

# The line of the child window of the given class whose width is the given one.
child_line() {
    window_lines | awk -F'\t' -v c="$1" -v w="$2" '$1 == "child" && $2 == c && $5 - $3 == w'
}

field_text() { child_line "$1" "$2" | cut -f13-; }

click_child() {
    local line
    line=$(child_line "$1" "$2")
    [ -n "$line" ] || { echo "no $1 of width $2" >&2; return 1; }
    local x y
    x=$(echo "$line" | awk -F'\t' '{ print int(($3 + $5) / 2) }')
    y=$(echo "$line" | awk -F'\t' '{ print int(($4 + $6) / 2) }')
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

# The converter's fields, known by their widths.
level_field() { echo "obj_EDIT 50"; }
result_field() { echo "obj_EDIT 280"; }
memo_field() { echo "obj_EDIT 290"; }
display_field() { echo "obj_STATIC 285"; }

# Waits for the converter to end; prints its exit code.
wait_for_exit() {
    for _ in $(seq 100); do
        [ -s "$STATE/exit" ] && { cat "$STATE/exit"; return 0; }
        sleep 0.2
    done
    echo "timeout"
    return 1
}

# Presses Enter until the program ends, for a box that Enter closes: a box that has not
# taken the keyboard focus yet when it first shows misses the press. Prints the exit code.
confirm_and_wait() {
    for _ in 1 2 3; do
        xdotool key Return
        for _ in $(seq 25); do
            [ -s "$STATE/exit" ] && { cat "$STATE/exit"; return 0; }
            sleep 0.2
        done
    done
    echo "timeout"
    return 1
}

# Ends the background jobs that wait for programs, so that a test that failed half-way
# does not keep its runner waiting on their output; for an EXIT trap.
end_waiting_jobs() {
    local jobs
    jobs=$(jobs -p)
    [ -n "$jobs" ] && kill $jobs 2>/dev/null
    return 0
}

# A screenshot of the whole virtual display, cropped to the program's window.
screenshot() {
    local out=$1 line
    line=$(window_lines | grep '^window')
    import -window root "$out.full.png"
    local geometry
    geometry=$(echo "$line" | awk -F'\t' '{ printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }')
    convert "$out.full.png" -crop "$geometry" +repage "$out"
    rm -f "$out.full.png"
}

# The main window's client origin on the screen: "x y".
client_origin() {
    window_lines | awk -F'\t' '$1 == "window" { b = int(($5 - $3 - $10) / 2); print $3 + b, $6 - b - $11 }'
}

# The visible child window whose rectangle starts at (left, top) of the client area.
child_at() {
    local origin
    origin=$(client_origin)
    window_lines | awk -F'\t' -v x=$((${origin% *} + $1)) -v y=$((${origin#* } + $2)) \
        '$1 == "child" && $3 == x && $4 == y && $7 == 1'
}

# Clicks a point of the client area: with the left button, the given one, or with
# button 0 not at all (the mouse only moves there).
click_client() {
    local origin
    origin=$(client_origin)
    xdotool mousemove $((${origin% *} + $1)) $((${origin#* } + $2))
    [ "${3:-1}" != 0 ] && xdotool click "${3:-1}"
    sleep 0.3
}

# How many pixels of a rectangle of the client area (left top width height) have the
# colour (#RRGGBB), as the screen shows them.
client_pixels() {
    local origin
    origin=$(client_origin)
    import -window root "$STATE/pixels.png"
    convert "$STATE/pixels.png" -crop "$3x$4+$((${origin% *} + $1))+$((${origin#* } + $2))" +repage \
        -fill black +opaque "$5" -fill white -opaque "$5" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# How many pixels of a rectangle of the client area (left top width height) are dark, as
# text is: each colour channel below three eighths.
client_dark_pixels() {
    local origin
    origin=$(client_origin)
    import -window root "$STATE/pixels.png"
    convert "$STATE/pixels.png" -crop "$3x$4+$((${origin% *} + $1))+$((${origin#* } + $2))" +repage \
        -fx 'r < 0.38 && g < 0.38 && b < 0.38 ? 1 : 0' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Types a text with real key events. A character the keyboard map lacks (Cyrillic on
# the virtual display's US map) goes through a key that xdotool binds to it for the
# moment and unbinds after its release; Wine reads the binding only when it handles the
# map change, so such a text is typed slowly enough for Wine to see each binding.
type_keys() {
    if [[ "$1" == *[![:ascii:]]* ]]; then
        LC_ALL=C.UTF-8 xdotool type --delay 250 -- "$1"
    else
        xdotool type --delay 80 -- "$1"
    fi
    sleep 0.5
}

# The display's scaling for the programs started after it: the DPI of the session's
# prefix. The Wine server is restarted for it.
set_display_dpi() {  # set_display_dpi DPI
    local dpi=$1
    driver_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    WINEPREFIX=$STATE/prefix wineserver -k 2>/dev/null
    WINEPREFIX=$STATE/prefix wineserver -w 2>/dev/null
    return 0
}

# The program's child windows, a line each: class, then left, top, width and height in
# its client area, then whether it holds a text.
client_layout() {
    local origin
    origin=$(client_origin)
    window_lines | awk -F'\t' -v x="${origin% *}" -v y="${origin#* }" \
        '$1 == "child" { print $2, $3 - x, $4 - y, $5 - $3, $6 - $4, ($13 != "") }'
}

# The child windows that do not lie where the layout at 96 DPI puts them, scaled to the
# DPI: a line for each that is more than a pixel off in a position or size. A window
# with a text of the static class (a label) sizes itself to its text: only its position
# is compared.
layout_off() {  # layout_off LAYOUT_AT_96 DPI
    paste -d ' ' "$1" <(client_layout) | awk -v s="$(($2))/96" '
        function off(a, b) { return a - b > 1 || b - a > 1 }
        BEGIN { split(s, r, "/"); scale = r[1] / r[2] }
        {
            label = $1 == "obj_STATIC" && $6
            bad = $1 != $7 || off(int($2 * scale + 0.5), $8) || off(int($3 * scale + 0.5), $9)
            if (!label) bad = bad || off(int($4 * scale + 0.5), $10) || off(int($5 * scale + 0.5), $11)
            if (bad) print "expected", $1, $2 * scale, $3 * scale, $4 * scale, $5 * scale, "got", $7, $8, $9, $10, $11
        }'
}

# The visible labels (windows of the static class with a text) whose last column shows
# ink of dark text: text wider than its label, cut off. Prints their texts.
labels_cut() {
    import -window root "$STATE/labels.png"
    local line
    window_lines | awk -F'\t' '$1 == "child" && $2 == "obj_STATIC" && $7 == 1 && $13 != ""' |
        while IFS=$'\t' read -r _ _ left top right bottom _ _ _ _ _ _ text; do
            local ink
            ink=$(convert "$STATE/labels.png" -crop "1x$((bottom - top))+$((right - 1))+$top" +repage \
                -fx 'r < 0.38 && g < 0.38 && b < 0.38 ? 1 : 0' -format '%[fx:int(mean*h+0.5)]' info:)
            [ "$ink" -gt 0 ] && echo "$text"
        done
    return 0
}
