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

    # "-5" over a good level: "-" waits, "-5" adds the error line, the result stays.
    select_all_level
    type_keys "-"
    check_field "-: level" "-" level
    check_field "-: memo" "" memo
    type_keys "5"
    check_field "-5: memo" "$error_line" memo
    check_field "-5: result kept" "$result_120" result
    check "-5: display kept" "$lit" "$(lit_pixels)"
    select_all_level
    type_keys "20"
    check_field "20: memo cleared" "" memo
    check_field "20: result" "0.00000999999999005954" result

    # The limit: 0.000001 is computed, 0.00000009 only adds the error line.
    select_all_level
    type_keys "0.000001"
    check_field "0.000001: result" "0.00000100000011512926" result
    check_field "0.000001: memo" "" memo
    select_all_level
    type_keys "0.00000009"
    check_field "0.00000009: memo" "$error_line" memo
    check_field "0.00000009: result kept" "0.00000100000011512926" result

    # Emptying the field: "0", nothing computed, no further error line.
    select_all_level
    xdotool key BackSpace
    sleep 0.5
    check_field "emptied: level" "0" level
    check_field "emptied: memo unchanged" "$error_line" memo
    type_keys "95"  # the emptied field's "0" is selected: typing replaces it
    check_field "emptied, then 95: level" "95" level
    check_field "emptied, then 95: result" "0.0562341322535132" result

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
    select_field $(result_field)
    type_keys "80,5"
    xdotool key End shift+Home ctrl+c
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
    select_field $(result_field)
    type_keys "Ускорение"
    check_field "result field: Cyrillic" "Ускорение" result

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
    local line height cell
    line=$(child_line obj_STATIC $(((285 * dpi + 48) / 96)))  # rounded as the toolkit rounds
    check_true "$dpi DPI: the display at its scaled width" [ -n "$line" ]
    height=$(echo "$line" | awk -F'\t' '{ print $6 - $4 }')
    cell=$((height * 6 / 10 + 3))  # the cell pitch at the display's height
    local left top
    left=$(echo "$line" | cut -f3); top=$(echo "$line" | cut -f4)
    import -window root "$STATE/shot.png"
    lit_in() { convert "$STATE/shot.png" -crop "$1x${height}+$((left + $2))+$top" +repage -fill black \
        +opaque "#00FF00" -format "%[fx:int(mean*w*h*3)]" info:; }
    check_true "$dpi DPI: the last of the 17 cells lit" [ "$(lit_in $((cell - 3)) $((16 * cell)))" -gt 0 ]
    check "$dpi DPI: nothing lit after them" "0" "$(lit_in $((cell * 2)) $((17 * cell)))"
    xdotool key alt+F4
    check "$dpi DPI: exit code" "0" "$(wait_for_exit)"
}

converter_session
scaled_session 144
scaled_session 192
set_display_dpi 96
information_box "/ih" driver_wine "$BUILD/app/converter.exe" /ih
information_box "/ih more" driver_wine "$BUILD/app/converter.exe" /ih more
# A batch file hands its command line on as it is written, quotes included.
windows_exe="Z:$(echo "$BUILD/app/converter.exe" | tr '/' '\\')"
printf '@%s "/ih"\r\n' "$windows_exe" >"$STATE/quoted.bat"
information_box "quoted /ih" driver_wine cmd /c "Z:$(echo "$STATE/quoted.bat" | tr '/' '\\')"
starts_normally "/IH" /IH
starts_normally "/ihx" /ihx
starts_normally "/ih second" first /ih

finish_checks
