#!/usr/bin/env bash
# End-to-end tests of vibration.exe: started as its own process under Wine on the test
# session's virtual display, driven only by X key events, read only from outside, and
# held to values that this script computes on its own (awk, the C library's rounding).
#   vibration_e2e.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT=$1
BUILD=$2
. "$ROOT/tests/e2e/checks.sh"

# Where the fields stand in the client area: the inputs, the table's 21 fields in
# reading order (a level in the first row of each quantity), the line of reasons.
VALUE="190 16"; QUANTITY="190 44"; KIND="190 72"; FREQUENCY="190 100"; PRESET="190 128"; REASON="16 390"
cells() {
    local row column
    for row in 0 1 2 3 4 5; do
        for column in 0 1 2 3; do
            [ "$column" -eq 3 ] && [ $((row % 2)) -eq 1 ] && continue
            echo "$((190 + column * 100)) $((190 + row * 26))"
        done
    done
}
text_at() { child_at "$1" "$2" | cut -f13-; }
# The table's fields from one reading of the windows.
table() {
    local origin
    origin=$(client_origin)
    awk -F'\t' -v ox="${origin% *}" -v oy="${origin#* }" '
        NR == FNR { want[NR] = $0; n = NR; next }
        $1 == "child" { text[($3 - ox) " " ($4 - oy)] = $13 }
        END { for (i = 1; i <= n; ++i) printf "%s|", text[want[i]] }' <(cells) <(window_lines)
}
focus_at() { [ "$(window_lines | grep '^focus' | cut -f2-3)" == "$(child_at "$1" "$2" | cut -f3-4)" ]; }

# The table as it should be, computed here: value, quantity (0-10), kind (0-2), frequency,
# preset (0-3). Plain with four significant digits from 0.001 to below 10000, otherwise
# with an exponent; levels with one decimal; a comma for the point.
expected_table() {
    awk -v V="$1" -v q="$2" -v k="$3" -v f="$4" -v p="$5" '
        function sig(x,   e, t) {
            if (x == 0) return "0,000E+00"
            t = sprintf("%.3e", x); split(t, part, "e"); e = part[2] + 0
            t = (e >= -3 && e <= 3) ? sprintf("%." (3 - e) "f", x) : part[1] "E" (e < 0 ? "-" : "+") sprintf("%02d", e < 0 ? -e : e)
            gsub(/\./, ",", t); return t
        }
        function level(x, ref,   t) {
            if (ref == 0) return "—"
            t = sprintf("%.1f", 20 * log(x / ref) / log(10)); gsub(/\./, ",", t); return t
        }
        BEGIN {
            split("1 9.80665 0.001 1 0.0254 0.000001 0.001 0.0000254", unit, " ")
            split("0 0 1 1 1 2 2 2 0 1 2", power, " ")
            split("1e-6 1e-6 3e-4 1e-5", refA, " "); split("1e-9 5e-8 5e-8 1e-8", refV, " ")
            split("1e-12 0 0 0", refD, " ")
            pi = atan2(0, -1); w = 2 * pi * f
            if (q < 8) x = V * unit[q + 1]
            else x = (q == 8 ? refA[p + 1] : q == 9 ? refV[p + 1] : refD[p + 1]) * 10 ^ (V / 20)
            a = x * w ^ power[q + 1] / (k == 0 ? 1 : k == 1 ? sqrt(2) : 2 * sqrt(2))
            split(a " " a / 9.80665 " " a / w * 1000 " " a / w / 0.0254 " " a / w ^ 2 * 1e6 " " a / w ^ 2 / 0.0000254, row, " ")
            for (r = 1; r <= 6; ++r) {
                out = out sig(row[r]) "|" sig(row[r] * sqrt(2)) "|" sig(row[r] * 2 * sqrt(2)) "|"
                if (r == 1) out = out level(a, refA[p + 1] + 0) "|"
                if (r == 3) out = out level(a / w, refV[p + 1] + 0) "|"
                if (r == 5) out = out level(a / w ^ 2, refD[p + 1] + 0) "|"
            }
            print out
        }'
}

check_table() {  # check_table NAME EXPECTED: read again for a moment, input is asynchronous
    local actual
    for _ in $(seq 15); do
        actual=$(table)
        [ "$actual" == "$2" ] && break
        sleep 0.2
    done
    check "$1" "$2" "$actual"
}
check_reason() {
    local actual
    for _ in $(seq 15); do
        actual=$(text_at $REASON)
        [ "$actual" == "$2" ] && break
        sleep 0.2
    done
    check "$1" "$2" "$actual"
}

# How many pixels of the display are lit green.
lit_pixels() { client_pixels 190 344 240 30 '#00FF00'; }

select_field() { click_client $(($1 + 5)) $(($2 + 11)); xdotool key End shift+Home; sleep 0.2; }
enter_value() { select_field $1 $2; type_keys "$3"; }
# Chooses a list's item with the keyboard: Home, then Down as often as the index says.
choose() {
    click_client $(($1 + 5)) $(($2 + 11)); xdotool key Escape Home
    [ "$3" -gt 0 ] && xdotool key --repeat "$3" --delay 60 Down
    sleep 0.4
}
empty_table='|||||||||||||||||||||'

start_up() {
    start_program "$BUILD/examples/vibration/vibration.exe"
    wait_for_window || return 1
    sleep 1
    check "caption" "Пересчёт параметров вибрации" "$(window_lines | grep '^window' | cut -f13-)"
    check "the value field has the focus, its text selected" "0:3 120" "$(child_at $VALUE | cut -f12- | tr '\t' ' ')"
    check "the lists as they start" "уровень виброускорения, дБ|СКЗ|ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м" \
        "$(text_at $QUANTITY)|$(text_at $KIND)|$(text_at $PRESET)"
    # The worked example: 120 dB at 100 Hz against ISO 1683.
    check_table "120 dB at 100 Hz, as computed here" "$(expected_table 120 8 0 100 0)"
    check "120 dB at 100 Hz, as the example gives it" \
        "1,000|1,414|2,828|120,0|0,1020|1,592|2,251|4,502|124,0|2,533|3,582|7,164|128,1" "$(table | cut -d'|' -f1-5,8-11,15-18)"
    check_true "the display shows the velocity" [ "$(lit_pixels)" -gt 100 ]
}

# Tab goes through the inputs in their order.
tab_order() {
    local place
    click_client 195 27
    for place in "$QUANTITY" "$KIND" "$FREQUENCY" "$PRESET"; do
        xdotool key Tab; sleep 0.3
        check_true "Tab reaches the field at $place" focus_at $place
    done
}

# The table always belongs to the items the lists show: a dropped list closed by a click
# elsewhere goes back to its former item, and the table with it; the wheel chooses too.
lists_as_shown() {
    click_client $((${PRESET% *} + 5)) $((${PRESET#* } + 11))  # dropped
    xdotool key Down; sleep 0.4
    check_table "a dropped list's next set, shown" "$(expected_table 120 8 0 100 1)"
    click_client $((${VALUE% *} + 5)) $((${VALUE#* } + 11))  # a click elsewhere closes it
    check "closed without a choice: the former set" "ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м" "$(text_at $PRESET)"
    check_table "... and its table" "$(expected_table 120 8 0 100 0)"
    click_client $((${KIND% *} + 5)) $((${KIND#* } + 11))
    xdotool key Down; sleep 0.4
    click_client 400 80  # the form beside the dropped list
    check "the kind list closed beside it: СКЗ" "СКЗ" "$(text_at $KIND)"
    check_table "... and its table" "$(expected_table 120 8 0 100 0)"
    click_client $((${KIND% *} + 5)) $((${KIND#* } + 11)) 0
    xdotool click 5; sleep 0.4  # the wheel, on the closed list
    check "the wheel chose the peak" "пиковое" "$(text_at $KIND)"
    check_table "... and its table" "$(expected_table 120 8 1 100 0)"
    choose $KIND 0
}

# A velocity in mm/s read as a peak, at 50 Hz; then a level under the old ship norms.
conversions() {
    choose $QUANTITY 2
    choose $KIND 1
    enter_value $FREQUENCY "50"
    enter_value $VALUE "10"
    check "10 mm/s peak: the lists" "виброскорость, мм/с|пиковое" "$(text_at $QUANTITY)|$(text_at $KIND)"
    check_table "10 mm/s peak at 50 Hz" "$(expected_table 10 2 1 50 0)"
    check "its RMS velocity in the table" "7,071" "$(text_at 190 242)"
    choose $QUANTITY 8
    choose $KIND 0
    choose $PRESET 2
    enter_value $VALUE "73,5"
    check "the value read with its comma" "73.5" "$(text_at $VALUE)"
    check_table "73.5 dB under the old norms (3e-4 m/s2)" "$(expected_table 73.5 8 0 50 2)"
    choose $QUANTITY 9
    check_table "a velocity level under them (5e-8 m/s)" "$(expected_table 73.5 9 0 50 2)"
}

# Each refusal: its line, an empty table, the display's bars; an emptied field: no line.
refusals() {
    local bars
    choose $QUANTITY 0
    enter_value $VALUE "-5"
    check_reason "a value below zero" "Значение должно быть больше нуля"
    check_table "-5: no table" "$empty_table"
    bars=$(lit_pixels)
    enter_value $VALUE "2"
    check_reason "a good value clears the line" ""
    check_true "the display shows digits again" [ "$(lit_pixels)" -ne "$bars" ]
    enter_value $FREQUENCY "0"
    check_reason "frequency 0" "Частота должна быть больше нуля"
    check_table "frequency 0: no table" "$empty_table"
    enter_value $FREQUENCY "50"
    choose $QUANTITY 10
    check_reason "a displacement level under norms without its reference" \
        "В выбранных нормах нет опорного значения для этой величины"
    check_table "no reference: no table" "$empty_table"
    choose $QUANTITY 8
    enter_value $VALUE "7000"
    check_reason "7000 dB" "Слишком большое число"
    check "7000 dB: the display's bars" "$bars" "$(lit_pixels)"
    # The ends of the double range: a level of a value whose ratio to its reference
    # would overflow; values below the normal range, or nearer 0 than any double; a
    # value beyond the range.
    choose $QUANTITY 0
    enter_value $VALUE "1e300"
    check_table "1e300 m/s2, with its levels" "$(expected_table 1e300 0 0 50 2)"
    local tiny
    for tiny in "1e-320" "1e-99999"; do
        enter_value $VALUE "$tiny"
        check_reason "$tiny m/s2" "Слишком малое число"
        check_table "$tiny m/s2: no table" "$empty_table"
    done
    enter_value $VALUE "1e999"
    check_reason "1e999 m/s2" "Слишком большое число"
    choose $QUANTITY 8
    enter_value $VALUE "-5"
    check_reason "a level may be below zero" ""
    check_table "-5 dB" "$(expected_table -5 8 0 50 2)"
    # An unfinished number is no value yet (nor a value below zero): the table empties,
    # with no reason, and a list changed meanwhile leaves it so.
    enter_value $VALUE "-"
    check_table "an unfinished level: no table" "$empty_table"
    check_reason "... and no reason" ""
    check "... and the display's bars" "$bars" "$(lit_pixels)"
    choose $KIND 1
    check_table "a list changed beside an unfinished level: no table" "$empty_table"
    check_reason "... and no reason" ""
    enter_value $VALUE "-5"
    enter_value $FREQUENCY "1e"
    choose $KIND 0
    check_table "a list changed beside an unfinished frequency: no table" "$empty_table"
    check_reason "... and no reason" ""
    enter_value $FREQUENCY "50"
    check_table "the frequency finished: -5 dB again" "$(expected_table -5 8 0 50 2)"
    enter_value $FREQUENCY "100e"
    check_table "100e Hz: no table" "$empty_table"
    type_keys "0"
    check_table "100e0 Hz" "$(expected_table -5 8 0 100 2)"
    enter_value $FREQUENCY "50"
    select_field $VALUE
    xdotool key BackSpace; sleep 0.5
    check "emptied: the field's 0" "0" "$(text_at $VALUE)"
    check_table "emptied: no table" "$empty_table"
    check_reason "emptied: no line" ""
    # Alt+F4 closes the window from a list too (the list would hand it to its dropped list).
    choose $KIND 0
    xdotool key alt+F4
    check "closed from a list: exit code" "0" "$(wait_for_exit)"
}

if run_part start_up; then
    run_part tab_order
    run_part lists_as_shown
    run_part conversions
    run_part refusals
else
    failed=$((failed + 1))
fi
finish_checks
