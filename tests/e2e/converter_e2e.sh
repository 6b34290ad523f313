#!/usr/bin/env bash
# End-to-end tests of converter.exe: started as its own process under Wine on the test
# session's virtual display, driven only by X input events, read only from outside.
#   converter_e2e.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT=$1
BUILD=$2
. "$ROOT/tests/e2e/checks.sh"

# check_field NAME EXPECTED READER: input reaches the program asynchronously, so the
# field is read again for up to three seconds before the check counts as failed.
check_field() {
    local actual
    for _ in $(seq 15); do
        actual=$($3)
        [ "$actual" == "$2" ] && break
        sleep 0.2
    done
    check "$1" "$2" "$actual"
}

error_line="Введите число большее нуля!!! "
result_120="0.999999994035725"
result_80_5="0.0105925372093918"

level() { field_text $(level_field); }
result() { field_text $(result_field); }
memo() { field_text $(memo_field) | sed 's/\\r\\n.*//'; }  # the first line
select_field() { click_child "$1" "$2"; xdotool key End shift+Home; sleep 0.2; }
select_all_level() { select_field $(level_field); }

# How many pixels of the display show the lit green.
lit_pixels() {
    local line geometry
    line=$(child_line $(display_field))
    geometry=$(echo "$line" | awk -F'\t' '{ printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }')
    import -window root "$STATE/shot.png"
    convert "$STATE/shot.png" -crop "$geometry" +repage -fill black +opaque "#00FF00" \
        -format "%[fx:int(mean*w*h*3)]" info:
}

# The lit segments of cell N of the display (numbered as the display numbers them: 1
# top, 2 upper left, 3 lower left, 4 bottom, 5 lower right, 6 upper right, 7 middle),
# read at the middle of each segment in a screenshot; H and W the display's height and
# cell width.
cell_segments() {
    local cell=$1 line left top H W x probes format
    line=$(child_line $(display_field))
    left=$(echo "$line" | cut -f3); top=$(echo "$line" | cut -f4)
    H=$(echo "$line" | awk -F'\t' '{ print $6 - $4 }'); W=$((H * 6 / 10)); x=$((cell * (W + 3)))
    probes="$((x + W / 2)),0 $x,$((H / 4)) $x,$((3 * H / 4)) $((x + W / 2)),$((H - 1)) $((x + W)),$((3 * H / 4))"
    probes="$probes $((x + W)),$((H / 4)) $((x + W / 2)),$((H / 2))"
    format=""
    for p in $probes; do format="$format%[pixel:p{$p}] "; done
    import -window root "$STATE/shot.png"
    convert "$STATE/shot.png" -crop "$((x + W + 1))x$H+$left+$top" +repage -format "$format" info: |
        tr ' ' '\n' | awk '$0 != "" { if ($0 ~ /\(0,255,0\)/ || $0 == "lime") printf "%d", NR }'
}

# How many pixels of a strip of the display (WIDTH from OFFSET on, the whole height) are
# lit, in the screenshot taken last. DISPLAY_LINE: the display's line of window_lines.
lit_in() {  # lit_in WIDTH OFFSET
    local left top height
    left=$(cut -f3 <<<"$DISPLAY_LINE"); top=$(cut -f4 <<<"$DISPLAY_LINE")
    height=$(awk -F'\t' '{ print $6 - $4 }' <<<"$DISPLAY_LINE")
    convert "$STATE/shot.png" -crop "$1x${height}+$((left + $2))+$top" +repage -fill black \
        +opaque "#00FF00" -format "%[fx:int(mean*w*h*3)]" info:
}

# Copies a text through the clipboard as a user would, from the memo (any editable
# field would do): typed there, selected and copied.
copy_text() {
    select_field $(memo_field)
    type_keys "$1"
    xdotool key End shift+Home ctrl+c
    sleep 0.2
}

converter_session() {
    start_converter
    wait_for_window || { failed=$((failed + 1)); return 1; }
    sleep 1
    check "caption" "window	obj_Form" "$(window_lines | grep '^window' | cut -f1-2)"
    check "caption text" "перевод виброускорения из  дБ в м/с2 " "$(window_lines | grep '^window' | cut -f13-)"
    check "prompt" "Введите виброускорение в дБ " "$(window_lines | grep 'Введите виброускорение' | cut -f13-)"
    check "result caption" "Значение виброускорения в м/с2 " "$(window_lines | grep 'Значение' | cut -f13-)"
    local bars
    bars=$(lit_pixels)
    check_true "the display shows its bars" [ "$bars" -gt 0 ]
    client_layout >"$STATE/converter-96.layout"  # the layout the scaled runs are held to
    check "no label cut" "" "$(labels_cut)"

    # "0" right after start-up: the error line, nothing computed.
    click_child $(level_field)
    type_keys "0"
    check_field "0: memo" "$error_line" memo
    check_field "0: result" "" result
    check "0: display unchanged" "$bars" "$(lit_pixels)"

    # 120 typed character by character.
    select_all_level
    type_keys "120"
    check_field "120: level" "120" level
    check_field "120: result" "$result_120" result
    check_field "120: memo cleared" "" memo
    local lit
    lit=$(lit_pixels)
    check_true "the display shows the result ($lit lit pixels)" [ "$lit" -gt "$bars" ]

    progress "a level below the limit, one too large, an emptied field"
    # "-5" over a good level: "-" is no level yet, so the result goes, and no line is
    # added; "-5" adds the error line.
    select_all_level
    type_keys "-"
    check_field "-: level" "-" level
    check_field "-: memo" "" memo
    check_field "-: no result beside it" "" result
    check "-: the display's bars" "$bars" "$(lit_pixels)"
    type_keys "5"
    check_field "-5: memo" "$error_line" memo
    check_field "-5: no result beside it" "" result
    check "-5: the display's bars" "$bars" "$(lit_pixels)"
    select_all_level
    type_keys "20"
    check_field "20: memo cleared" "" memo
    check_field "20: result" "0.00000999999999005954" result

    # Unfinished numbers: no result beside them, no line; the next number computes.
    local unfinished
    for unfinished in "." "1e" "2e"; do
        select_all_level
        type_keys "$unfinished"
        check_field "$unfinished: level" "$unfinished" level
        check_field "$unfinished: no result beside it" "" result
        check_field "$unfinished: no line" "" memo
        check "$unfinished: the display's bars" "$bars" "$(lit_pixels)"
    done
    type_keys "1"
    check_field "2e1: the result of 20" "0.00000999999999005954" result

    # The limit: 0.000001 is computed, 0.00000009 only adds the error line.
    select_all_level
    type_keys "0.000001"
    check_field "0.000001: result" "0.00000100000011512926" result
    check_field "0.000001: memo" "" memo
    select_all_level
    type_keys "0.00000009"
    check_field "0.00000009: memo" "$error_line" memo
    check_field "0.00000009: no result" "" result

    # A level too large to compute: its line in the memo, no box, no result.
    select_all_level
    type_keys "6166"
    check_field "6166: memo" "Слишком большое число!!! " memo
    check_field "6166: no result" "" result
    check "6166: no box" "" "$(window_lines "#32770")"
    check "6166: the display's bars" "$bars" "$(lit_pixels)"

    # Emptying the field: "0", no line added, no result; Ctrl+Z brings the level back.
    select_all_level
    type_keys "50"
    check_field "50: result" "0.000316227765230976" result
    select_all_level
    xdotool key BackSpace
    sleep 0.5
    check_field "emptied: level" "0" level
    check_field "emptied: no result" "" result
    check_field "emptied: no line" "" memo
    check "emptied: the display's bars" "$bars" "$(lit_pixels)"
    xdotool key ctrl+z
    check_field "emptied, Ctrl+Z: level" "50" level
    check_field "emptied, Ctrl+Z: result" "0.000316227765230976" result
    select_all_level
    xdotool key BackSpace
    type_keys "95"  # the emptied field's "0" is selected: typing replaces it
    check_field "emptied, then 95: level" "95" level
    check_field "emptied, then 95: result" "0.0562341322535132" result

    progress "refused keys and pastes, the decimal comma"
    # A refused key or paste keeps the selection and caret it found.
    select_all_level
    type_keys "90"
    select_all_level
    type_keys " 85"
    check_field "90, select all, a blank, 85" "85" level
    select_all_level
    type_keys "123"
    xdotool key End Left Left
    type_keys "x5"
    check_field "1|23, a letter, 5" "1523" level
    copy_text "8 5,3"
    select_all_level
    type_keys "1"
    xdotool key ctrl+a ctrl+v
    type_keys "85,3"
    check_field "1, select all, a refused paste, 85,3" "85.3" level
    copy_text "  85,3 "
    select_all_level
    xdotool key ctrl+v
    check_field "a paste loses its blanks" "85.3" level

    # Enter computes nothing by itself.
    select_all_level
    type_keys "40"
    xdotool key Return
    sleep 0.5
    check_field "Enter: level kept" "40" level
    check_field "Enter: result" "0.0000999999998011908" result

    # A letter is refused and undone.
    type_keys "x"
    check_field "letter undone" "40" level

    # The decimal comma: typed, pasted, and from the keypad's separator key.
    select_all_level
    type_keys "80,5"
    check_field "80,5 typed: level" "80.5" level
    check_field "80,5 typed: result" "$result_80_5" result
    select_all_level
    type_keys "8,0,5"
    check_field "8,0,5: one separator" "8.05" level
    copy_text "80,5"
    select_all_level
    xdotool key ctrl+v
    check_field "80,5 pasted: level" "80.5" level
    check_field "80,5 pasted: result" "$result_80_5" result
    select_all_level
    type_keys "12"
    xdotool key KP_Separator
    type_keys "5"
    check_field "keypad separator" "12.5" level

    # Tab away and back selects the level, so that typing replaces it.
    xdotool key Tab shift+Tab
    type_keys "5"
    check_field "Tab back, then 5" "5" level

    progress "Cyrillic, the read-only result, the display, the window menu"
    # Letters outside ASCII, typed under a UTF-8 locale (Wine itself keeps its C locale).
    select_all_level
    type_keys "12"
    check_field "12: level" "12" level
    local result_12
    result_12=$(result)
    type_keys "а"
    check_field "Cyrillic letter undone" "12" level
    check "Cyrillic letter computes nothing" "$result_12" "$(result)"
    select_field $(memo_field)
    type_keys "Проверка бё中€"
    check_field "memo: Cyrillic and outside 1251" "Проверка бё中€" memo
    # The result field is read-only: it is selected and copied, not typed over.
    select_field $(result_field)
    type_keys "abc"
    check_field "result field: typing changes nothing" "$result_12" result
    xdotool key End shift+Home ctrl+c
    select_field $(memo_field)
    xdotool key ctrl+v
    check_field "result field: copied" "$result_12" memo

    # The display never cuts a number: at 1 dB it rounds the last digit it has room for
    # (0.000001122018454246|2 -> ...45425), at 1000 dB whose integer part it cannot hold
    # it shows bars.
    select_all_level
    type_keys "1"
    check_field "1: result" "0.0000011220184542462" result
    check "1: the display's last cell rounded" "12457" "$(cell_segments 18)"
    select_all_level
    type_keys "1000"
    check "1000: bars, first cell" "7" "$(cell_segments 0)"
    check "1000: bars, last cell" "7" "$(cell_segments 18)"

    # Alt+Space opens the window menu.
    click_child $(level_field)
    xdotool key alt+space
    check_true "Alt+Space: the window menu" wait_for_window "#32768"
    xdotool key Escape

    # Closing the window ends the process with exit code 0.
    xdotool key alt+F4
    check "exit code" "0" "$(wait_for_exit)"
}

# The information box: its caption, its text and one OK button; Enter closes it.
information_box() {
    local name=$1
    shift
    rm -f "$STATE/exit"
    ( "$@" >/dev/null 2>&1; echo $? >"$STATE/exit" ) &
    if ! wait_for_window "#32770"; then
        failed=$((failed + 1))
        echo "FAILED: $name: no information box"
        return
    fi
    sleep 0.5
    local lines
    lines=$(window_lines "#32770")
    check "$name: caption" "перевод виброускорения из  дБ в м/с2 " "$(echo "$lines" | grep '^window' | cut -f13-)"
    check "$name: one button" "1" "$(echo "$lines" | awk -F'\t' '$1 == "child" && $2 == "Button"' | wc -l)"
    check_true "$name: the formula as computed" grep -qF "a = 0.000001 · exp(L · 0.1151292546) м/с2" <<<"$lines"
    check_true "$name: the line for a level too large" grep -qF "«Слишком большое число!!!»" <<<"$lines"
    check "$name: no line break inside a paragraph" "" \
        "$(echo "$lines" | awk -F'\t' '$2 == "Static"' | cut -f13- | sed 's/\\r\\n\\r\\n//g' | grep -F '\r\n')"
    check "$name: exit code" "0" "$(confirm_and_wait)"
}

# Arguments that do not ask for the box: the converter starts normally.
starts_normally() {
    local name=$1
    shift
    start_converter "$@"
    if wait_for_window; then
        passed=$((passed + 1))
        sleep 0.5
        click_child $(level_field)  # the keyboard goes to the converter
        xdotool key alt+F4
        check "$name: exit code" "0" "$(wait_for_exit)"
    else
        failed=$((failed + 1))
        echo "FAILED: $name: the converter did not start"
    fi
}

# At another DPI: the window and every control as the schema places them, scaled; the
# labels hold their texts; the level field shows all of "120.5"; the display shows the
# whole result for 120 dB, in cells that follow its scaled height.
scaled_session() {
    local dpi=$1
    set_display_dpi "$dpi"
    start_converter
    wait_for_window || { failed=$((failed + 1)); return 1; }
    sleep 1
    check "$dpi DPI: the window's size" "$((332 * dpi / 96)) $((224 * dpi / 96))" \
        "$(window_lines | awk -F'\t' '$1 == "window" { print $5 - $3, $6 - $4 }')"
    check "$dpi DPI: every control in its place" "" "$(layout_off "$STATE/converter-96.layout" "$dpi")"
    check "$dpi DPI: no label cut" "" "$(labels_cut)"
    scaled_level() { child_line obj_EDIT $((50 * dpi / 96)) | cut -f12- | tr '\t' ' '; }  # selection and text
    scaled_result() { field_text obj_EDIT $((280 * dpi / 96)); }
    click_child obj_EDIT $((50 * dpi / 96))
    type_keys "120.5"
    check_field "$dpi DPI: the level field shows all of 120.5" "5:5 120.5" scaled_level
    xdotool key End shift+Home
    type_keys "120"
    check_field "$dpi DPI: the result" "$result_120" scaled_result
    local height cell
    DISPLAY_LINE=$(child_line obj_STATIC $(((285 * dpi + 48) / 96)))  # rounded as the toolkit rounds
    check_true "$dpi DPI: the display at its scaled width" [ -n "$DISPLAY_LINE" ]
    height=$(awk -F'\t' '{ print $6 - $4 }' <<<"$DISPLAY_LINE")
    cell=$((height * 6 / 10 + 3))  # the cell pitch at the display's height
    import -window root "$STATE/shot.png"
    check_true "$dpi DPI: the last of the 17 cells lit" [ "$(lit_in $((cell - 3)) $((16 * cell)))" -gt 0 ]
    check "$dpi DPI: nothing lit after them" "0" "$(lit_in $((cell * 2)) $((17 * cell)))"
    xdotool key alt+F4
    check "$dpi DPI: exit code" "0" "$(wait_for_exit)"
}

# At 168 DPI the display has room for 20 whole cells and part of a 21st: the result at
# 1 dB is rounded to the whole cells, and nothing is drawn after them.
display_at_168() {
    set_display_dpi 168
    start_converter
    wait_for_window || { failed=$((failed + 1)); return 1; }
    sleep 1
    click_child obj_EDIT $(((50 * 168 + 48) / 96))
    type_keys "1"
    local width height pitch cells
    DISPLAY_LINE=$(child_line obj_STATIC $(((285 * 168 + 48) / 96)))
    width=$(awk -F'\t' '{ print $5 - $3 }' <<<"$DISPLAY_LINE"); height=$(awk -F'\t' '{ print $6 - $4 }' <<<"$DISPLAY_LINE")
    pitch=$((height * 6 / 10 + 3))
    cells=$(((width - pitch + 2) / pitch + 1))
    import -window root "$STATE/shot.png"
    check_true "168 DPI: the last whole cell lit" [ "$(lit_in $((pitch - 3)) $(((cells - 1) * pitch)))" -gt 0 ]
    check "168 DPI: nothing drawn after it" "0" "$(lit_in $((width - cells * pitch + 2)) $((cells * pitch - 2)))"
    xdotool key alt+F4
    check "168 DPI: exit code" "0" "$(wait_for_exit)"
}

run_part converter_session
run_part scaled_session 144
run_part scaled_session 192
run_part display_at_168
set_display_dpi 96
run_part information_box "/ih" driver_wine "$BUILD/app/converter.exe" /ih
information_box "/ih more" driver_wine "$BUILD/app/converter.exe" /ih more
# A batch file hands its command line on as it is written, quotes included.
windows_exe="Z:$(echo "$BUILD/app/converter.exe" | tr '/' '\\')"
printf '@%s "/ih"\r\n' "$windows_exe" >"$STATE/quoted.bat"
information_box "quoted /ih" driver_wine cmd /c "Z:$(echo "$STATE/quoted.bat" | tr '/' '\\')"
progress "the command line"
starts_normally "/IH" /IH
starts_normally "/ihx" /ihx
starts_normally "/ih second" first /ih

finish_checks
