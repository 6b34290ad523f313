#!/usr/bin/env bash
# End-to-end tests of gallery.exe: started as its own process under Wine on the test
# session's virtual display, driven only by X input events, read only from outside.
#   gallery_e2e.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT=$1
BUILD=$2
GALLERY=$BUILD/examples/gallery/gallery.exe
INI=$BUILD/examples/gallery/gallery.ini
. "$ROOT/tests/e2e/checks.sh"

# Input reaches the program asynchronously: a field is read again for a moment.
check_field() {  # check_field NAME EXPECTED LEFT TOP
    local actual
    for _ in $(seq 15); do
        actual=$(text_at "$3" "$4")
        [ "$actual" == "$2" ] && break
        sleep 0.2
    done
    check "$1" "$2" "$actual"
}

has_bits() { (( (0x$1 & $2) == $2 )); }  # has_bits HEX MASK
column_at() { child_at "$1" "$2" | cut -f"$3"; }
text_at() { column_at "$1" "$2" 13-; }
style_has() { has_bits "$(column_at "$1" "$2" 8)" "$3"; }
window_column() { window_lines | grep '^window' | cut -f"$1"; }
log_text() { text_at 400 150; }
log_first() { log_text | sed 's/\\r\\n.*//'; }
log_last() { log_text | sed 's/.*\\r\\n//'; }
last_event() { text_at 400 418; }
focus_at() { [ "$(window_lines | grep '^focus' | cut -f2-3)" == "$(child_at "$1" "$2" | cut -f3-4)" ]; }
select_field() {  # the keys go where the click has put the focus, once it is there
    click_client $(($1 + 5)) $(($2 + 11))
    for _ in $(seq 15); do
        focus_at "$1" "$2" && break
        sleep 0.2
    done
    xdotool key End shift+Home
    sleep 0.2
}
ends_with() { [[ "$1" == *"$2" ]]; }
enter() { xdotool key Return; sleep 0.4; }
wait_for_tooltip() {  # the visible tooltip's line, after the delay
    for _ in $(seq 20); do
        window_lines tooltips_class32 | grep '^window' && return 0
        sleep 0.2
    done
}

# Where the fields are in the client area.
ANGLE="190 132"; RADIUS="190 160"; RESULT="276 212"; ERROR="16 246"; HISTORY="276 388"
PASSWORD="190 278"; ANSWER="316 278"; DISABLED="190 306"; GUARD="230 334"; TITLE="0 0"

# Clicks the window's close box.
close_box() {
    local line
    line=$(window_lines | grep '^window')
    xdotool mousemove $(($(echo "$line" | cut -f5) - 12)) $(($(echo "$line" | cut -f4) + 10)) click 1
    sleep 1
}

start_up() {
    rm -f "$INI"
    start_program "$GALLERY"
    wait_for_window || { failed=$((failed + 1)); return 1; }
    sleep 1
    check "caption" "Галерея компонентов" "$(window_column 13-)"
    check_true "sizeable frame with a maximise box" has_bits "$(window_column 8)" 0x50000
    check_true "layered for its opacity" has_bits "$(window_column 9)" 0x80000
    check "client size" "640 480" "$(window_column 10-11 | tr '\t' ' ')"
    check "title aligned to the top" "640 34" "$(column_at $TITLE 10-11 | tr '\t' ' ')"
    check "the creation logged first" "окно: создано" "$(log_first)"
    check "no resize logged at the first show" "окно: создано\r\nугол: фокус получен" "$(log_text)"
    check "the sum field agrees with the display" "0" "$(text_at $RESULT)"
    client_layout >"$STATE/gallery-96.layout"  # the layout the scaled runs are held to
    check "no label cut" "" "$(labels_cut)"
    check_true "the first tab stop has the focus" focus_at $ANGLE
}

tooltips() {
    click_client 320 17 0  # the mouse over the title, no click
    local tip
    tip=$(wait_for_tooltip)
    check "title tooltip" "Заголовок: выровнен по верху окна" "$(echo "$tip" | cut -f13-)"
    click_client 235 143 0
    sleep 0.3
    tip=$(wait_for_tooltip)
    check "balloon tooltip" "Угол в градусах (не больше 6 знаков)" "$(echo "$tip" | cut -f13-)"
    check_true "balloon style" has_bits "$(echo "$tip" | cut -f8)" 0x40
    click_client 250 289 0
    sleep 0.3
    tip=$(wait_for_tooltip)
    check "the password in its field's tooltip" "Пароль: секрет" "$(echo "$tip" | cut -f13-)"
}

calculation() {
    check_true "right-aligned angle field" style_has $ANGLE 0x2
    select_field $RADIUS
    check_true "the angle field's exit logged" grep -q 'угол: фокус потерян' <<<"$(log_text)"
    type_keys "100"
    check "a key logged with its source" "радиус: клавиша 48" "$(log_last)"
    check "the one-line copy shows the newest entry" "радиус: клавиша 48" "$(last_event)"
    enter
    check_field "30 degrees, radius 100: 10 * 0.5" "5" $RESULT
    check "the radius entered logged" "радиус: Enter, r = 100" "$(log_last)"
    check_true "result field centred and read-only" style_has $RESULT 0x801
    enter; enter; enter
    check_field "%0 adds up to 20" "20" $RESULT
    check "sums from 20 in the history, newest first" "20\r\n" "$(text_at $HISTORY)"
    enter
    check "history adds at the top" "25\r\n20\r\n" "$(text_at $HISTORY)"
    local text last
    text=$(log_text | sed 's/\\[rn]/x/g')
    last=$(log_last)
    check "the log selects its newest line" "$((${#text} - ${#last})):${#text}" "$(column_at 400 150 12)"

    select_field $RADIUS
    type_keys "-1"
    enter
    check_field "a negative radius: the error event's text" "Ошибка вычисления: радиус меньше нуля" $ERROR
    check "the result kept" "25" "$(text_at $RESULT)"
    select_field $RADIUS
    type_keys "100"
    enter
    check_field "after a failure %0 starts again from 0" "5" $RESULT
    check "the error line cleared" "" "$(text_at $ERROR)"

    select_field $ANGLE
    type_keys "12345678"
    check_field "max length 6" "123456" $ANGLE
    click_client 235 143 0
    xdotool click 5
    sleep 0.4
    check "a wheel notch logged with its source" "угол: колесо -120" "$(log_last)"
}

displays() {
    # The sum on the right-aligned display with unlit segments; the hover colours.
    check_true "lit green at the right end" [ "$(client_pixels 230 208 20 30 '#00FF00')" -gt 0 ]
    check "nothing lit on the left" "0" "$(client_pixels 16 208 120 30 '#00FF00')"
    check_true "unlit segments shown" [ "$(client_pixels 16 208 250 30 '#003000')" -gt 0 ]
    click_client 100 223 0
    sleep 0.5
    check_true "hover lit colour" [ "$(client_pixels 230 208 20 30 '#FFFF00')" -gt 0 ]
    click_client 100 223
    check "a click on it clears the history" "" "$(text_at $HISTORY)"
    click_client 100 450 0  # away: the normal colours again
    sleep 0.4
    check "hover colour gone" "0" "$(client_pixels 230 208 20 30 '#FFFF00')"

    # The clock: centred cells, colons.
    check_true "lit cells" [ "$(client_pixels 16 370 250 36 '#FF8000')" -gt 0 ]
    check "centred: nothing lit in the left margin" "0" "$(client_pixels 16 370 29 36 '#FF8000')"
    check "centred: nothing lit in the right margin" "0" "$(client_pixels 238 370 28 36 '#FF8000')"
    check_true "colon cells lit" [ "$(client_pixels 93 370 21 36 '#FF8000')" -gt 0 ]
    click_client 140 388 3  # right button
    check "the right button pressed on the clock" "часы: нажата кнопка 1" "$(log_last)"
    xdotool click --repeat 2 --delay 80 1
    sleep 0.5
    check_true "a press and a double click of the left button" ends_with "$(log_text)" \
        '\r\nчасы: нажата кнопка 0\r\nчасы: двойной щелчок'
}

fields() {
    check_true "password field masked" style_has $PASSWORD 0x20
    select_field $PASSWORD
    type_keys "abc"
    enter
    check "a wrong password: the panel stays hidden" "0" "$(window_lines | grep 'Пароль верный' | cut -f7)"
    check_field "a wrong password is answered" "неверный" $ANSWER
    select_field $PASSWORD
    type_keys "секрет"
    enter
    check_field "clearOnEnter empties the field" "" $PASSWORD
    check_field "the right one too" "верный" $ANSWER
    local panel
    panel=$(window_lines | grep 'Пароль верный')
    check "the hidden panel shown by a link" "1" "$(echo "$panel" | cut -f7)"
    check "aligned to the client under the title" "640 446" "$(echo "$panel" | cut -f10-11 | tr '\t' ' ')"
    click_client 320 300
    check "a click hides it again" "0" "$(window_lines | grep 'Пароль верный' | cut -f7)"

    check_true "disabled field" style_has $DISABLED 0x08000000
    select_field $RESULT
    type_keys "7"
    check "read-only field unchanged" "5" "$(text_at $RESULT)"
    # Tab order: angle 1, radius 2, password 3, guard 4; the rest is skipped.
    select_field $ANGLE
    xdotool key Tab; sleep 0.3
    check_true "Tab to the radius" focus_at $RADIUS
    xdotool key Tab; sleep 0.3
    check_true "Tab to the password" focus_at $PASSWORD
    xdotool key Tab Tab; sleep 0.3
    check_true "Tab round to the angle" focus_at $ANGLE
    xdotool key shift+Tab; sleep 0.3
    check_true "Shift+Tab back to the guard" focus_at $GUARD
}

transparency() {
    # The buffered form paints its fields' texts too (a themed field's frame must not
    # cover them).
    check_true "the radius field's digits show" [ "$(client_dark_pixels 195 163 80 16)" -gt 20 ]
    check "no label colour over the picture" "0" "$(client_pixels 16 60 270 20 '#FFFF00')"
    check "the picture, not the form's colour, around its text" "0" "$(client_pixels 16 60 270 20 '#DCE6F0')"
    check "no label colour over the form" "0" "$(client_pixels 16 452 230 16 '#FFFF00')"
    check_true "the form's colour shows around its text" [ "$(client_pixels 16 452 230 16 '#DCE6F0')" -gt 500 ]
}

# Moving by the client area, resizing by the frame, closing twice, starting again.
position_store() {
    local before after origin
    before=$(window_column 3-4 | tr '\t' ' ')
    origin=$(client_origin)
    local x=$((${origin% *} + 350)) y=$((${origin#* } + 110))
    xdotool mousemove $x $y mousedown 1
    sleep 0.3; xdotool mousemove $((x + 20)) $((y + 15))
    sleep 0.3; xdotool mousemove $((x + 40)) $((y + 30))
    sleep 0.3; xdotool mouseup 1; sleep 0.5
    after=$(window_column 3-4 | tr '\t' ' ')
    check "dragged by the client area" "$((${before% *} + 40)) $((${before#* } + 30))" "$after"
    # A drag by the client area up to the screen's top edge would carry the caption bar
    # above it: it stops at the top of the work area.
    xdotool mousemove $((x + 40)) $((y + 30)) mousedown 1
    sleep 0.3; xdotool mousemove $((x + 40)) 200
    sleep 0.3; xdotool mousemove $((x + 40)) 0
    sleep 0.3; xdotool mouseup 1; sleep 0.5
    check "a drag keeps the caption bar on the screen" "0" "$(window_column 4)"
    local right bottom
    right=$(window_column 5); bottom=$(window_column 6)
    xdotool mousemove $((right - 2)) $((bottom - 2)) mousedown 1
    sleep 0.3; xdotool mousemove $((right + 28)) $((bottom + 18))
    sleep 0.3; xdotool mousemove $((right + 58)) $((bottom + 38))
    sleep 0.3; xdotool mouseup 1; sleep 0.5
    check "resized by the frame" "700 520" "$(window_column 10-11 | tr '\t' ' ')"
    check "the resize logged" "окно: размер изменён" "$(log_last)"
    local rectangle
    rectangle=$(window_column 3-6)

    close_box
    check "the first close by the close box is refused" "window" "$(window_column 1)"
    check "it asks" "окно: закрыть? Закройте ещё раз — выход" "$(log_last)"
    check "the guard opened" "0" "$(text_at $GUARD)"
    close_box
    check "the second close ends it" "0" "$(wait_for_exit)"
    # (a new ini file is a UTF-16 one)
    check_true "the position stored beside the program" grep -q "Width=" <(iconv -f UTF-16 -t UTF-8 "$INI")

    start_program "$GALLERY"
    wait_for_window
    sleep 1
    check "position and size restored" "$rectangle" "$(window_column 3-6)"
    select_field $ANGLE
    xdotool key alt+F4; sleep 0.5; xdotool key alt+F4
    check "exit code" "0" "$(wait_for_exit)"

    # A position stored off the screen (as a drag or a monitor since removed leaves it)
    # comes back with the whole caption bar on the screen, moved the least distance.
    printf '[Gallery]\r\nLeft=1003\r\nTop=-498\r\nWidth=648\r\nHeight=507\r\n' >"$INI"
    start_program "$GALLERY"
    wait_for_window
    sleep 1
    check "an off-screen position comes back on the screen" "1003 0" "$(window_column 3-4 | tr '\t' ' ')"
    select_field $ANGLE
    xdotool key alt+F4; sleep 0.5; xdotool key alt+F4
    check "exit code" "0" "$(wait_for_exit)"
    rm -f "$INI"
}

# At another DPI: the client area and every control as the schema places them, scaled;
# the labels hold their texts.
scaled_run() {
    local dpi=$1
    set_display_dpi "$dpi"
    rm -f "$INI"
    start_program "$GALLERY"
    wait_for_window || { failed=$((failed + 1)); return 1; }
    sleep 1
    check "$dpi DPI: the client size" "$((640 * dpi / 96)) $((480 * dpi / 96))" "$(window_column 10-11 | tr '\t' ' ')"
    check "$dpi DPI: every control in its place" "" "$(layout_off "$STATE/gallery-96.layout" "$dpi")"
    check "$dpi DPI: no label cut" "" "$(labels_cut)"
    # The first close is refused (checked at 96 DPI); a click the program is not ready
    # for yet is repeated.
    for _ in 1 2 3 4; do
        close_box
        [ -s "$STATE/exit" ] && break
    done
    check "$dpi DPI: exit code" "0" "$(wait_for_exit)"
    rm -f "$INI"
}

if run_part start_up; then
    run_part tooltips
    run_part calculation
    run_part displays
    run_part fields
    run_part transparency
    run_part position_store
    run_part scaled_run 144
    run_part scaled_run 192
    set_display_dpi 96
fi
finish_checks
