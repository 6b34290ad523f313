# Drives a running converter.exe from outside, through real X input events, and reads
# its windows through window_texts.exe. Sourced by the run command and the end-to-end
# tests. Needs: STATE (a wine-session.sh state folder), BUILD (the windows build folder).

driver_wine() { "$ROOT/cmake/wine-run.sh" "$STATE" "$@"; }

# Starts the converter with the given arguments; its exit code lands in $STATE/exit.
start_converter() {
    rm -f "$STATE/exit"
    ( driver_wine "$BUILD/app/converter.exe" "$@" >/dev/null 2>&1; echo $? >"$STATE/exit" ) &
}

# The converter's windows, one line each: kind class left top right bottom visible style
# exstyle client-width client-height selection text.
window_lines() { driver_wine "$BUILD/tests/window_texts.exe" "${1:-obj_Form}" 2>/dev/null | tr -d '\r'; }

wait_for_window() {
    local class=${1:-obj_Form}
    for _ in $(seq 150); do
        window_lines "$class" | grep -q '^window' && return 0
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

# A screenshot of the whole virtual display, cropped to the converter's window.
screenshot() {
    local out=$1 line
    line=$(window_lines | grep '^window')
    import -window root "$out.full.png"
    local geometry
    geometry=$(echo "$line" | awk -F'\t' '{ printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }')
    convert "$out.full.png" -crop "$geometry" +repage "$out"
    rm -f "$out.full.png"
}
