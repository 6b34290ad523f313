#!/usr/bin/env bash
# End-to-end tests of vibration.exe: started as its own process under Wine on the test
# session's virtual display, driven only by X key events and the clipboard, read only
# from outside, and held to values that this script computes on its own (awk, the C
# library's rounding).
#   vibration_e2e.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT=$1
BUILD=$2
. "$ROOT/tests/e2e/checks.sh"
VIBRATION=$BUILD/examples/vibration/vibration.exe
SETTINGS_FILES="$STATE/prefix/drive_c/users/*/AppData/Roaming/Vibration/vibration.ini"
forget_settings() { rm -f $SETTINGS_FILES; }
settings_file() { ls $SETTINGS_FILES 2>/dev/null | head -1; }

# The visible windows the test knows, a line each in reading order: kind, top and left in
# the client area, width, height. The inputs are the fields one types into and the
# lists; the table's fields are read-only one-line fields; the line of reasons is the
# multi-line one; the chart is the high label without a text, the display the one as high
# as a button, the zone's line the one as high as a field.
places() {
    local origin
    origin=$(client_origin)
    window_lines | awk -F'\t' -v ox="${origin% *}" -v oy="${origin#* }" '
        function hex(s,   i, v) {
            for (i = 1; i <= length(s); ++i) v = v * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
            return v
        }
        function bit(v, b) { return int(v / b) % 2 }
        $1 == "child" && $7 == 1 {
            style = hex($8); kind = ""
            if ($2 == "obj_EDIT" && bit(style, 4)) kind = "reason"
            else if ($2 == "obj_COMBOBOX" || ($2 == "obj_EDIT" && !bit(style, 2048))) kind = "input"
            else if ($2 == "obj_EDIT") kind = "cell"
            else if ($2 == "obj_BUTTON") kind = "button"
            else if ($2 == "obj_STATIC" && $13 == "" && $6 - $4 > 100) kind = "chart"
            else if ($2 == "obj_STATIC" && $13 == "" && $6 - $4 >= 30) kind = "display"
            else if ($2 == "obj_STATIC" && $6 - $4 == 22) kind = "zone"
            if (kind != "") print kind, $4 - oy, $3 - ox, $5 - $3, $6 - $4
        }' | sort -k2,2n -k3,3n
}
# The place (left top) of the n-th window of a kind, and its size (width height).
place_of() { echo "$PLACES" | awk -v k="$1" -v n="${2:-1}" '$1 == k && ++i == n { print $3, $2 }'; }
size_of() { echo "$PLACES" | awk -v k="$1" -v n="${2:-1}" '$1 == k && ++i == n { print $4, $5 }'; }
read_places() {
    PLACES=$(places)
    VALUE=$(place_of input 1); QUANTITY=$(place_of input 2); KIND=$(place_of input 3)
    FREQUENCY=$(place_of input 4); FREQUENCY_UNIT=$(place_of input 5); PRESET=$(place_of input 6)
    MACHINE_CLASS=$(place_of input 7); REASON=$(place_of reason); BUTTON=$(place_of button)
    DISPLAY_AT=$(place_of display); ZONE=$(place_of zone); CHART=$(place_of chart)
    CHART_BUTTON=$(place_of button 2)
}

text_at() { child_at "$1" "$2" | cut -f13-; }
# The table's fields from one reading of the windows, in reading order.
table() {
    window_lines | awk -F'\t' '
        function hex(s,   i, v) {
            for (i = 1; i <= length(s); ++i) v = v * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
            return v
        }
        $1 == "child" && $2 == "obj_EDIT" && $7 == 1 && int(hex($8) / 2048) % 2 && !(int(hex($8) / 4) % 2) {
            print $4 "\t" $3 "\t" $13
        }' | sort -k1,1n -k2,2n | cut -f3 | tr '\n' '|'
}
focus_at() { [ "$(window_lines | grep '^focus' | cut -f2-3)" == "$(child_at "$1" "$2" | cut -f3-4)" ]; }

# The table as it should be, computed here: value, quantity (0-10), kind (0-2),
# frequency, its unit (0 Hz, 1 rpm), preset (0-3). Rows: m/s2, g, mm/s, m/s, in/s, µm,
# mm, mil, with the levels in the first row of each quantity. Plain with four
# significant digits from 0.001 to below 10000, otherwise with an exponent; levels with
# one decimal; a comma for the point.
expected_table() {
    awk -v V="$1" -v q="$2" -v k="$3" -v f="$4" -v u="$5" -v p="$6" '
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
            pi = atan2(0, -1); w = 2 * pi * f / (u == 1 ? 60 : 1)
            if (q < 8) x = V * unit[q + 1]
            else x = (q == 8 ? refA[p + 1] : q == 9 ? refV[p + 1] : refD[p + 1]) * 10 ^ (V / 20)
            a = x * w ^ power[q + 1] / (k == 0 ? 1 : k == 1 ? sqrt(2) : 2 * sqrt(2))
            n = split(a " " a / 9.80665 " " a / w * 1000 " " a / w " " a / w / 0.0254 " " \
                      a / w ^ 2 * 1e6 " " a / w ^ 2 * 1000 " " a / w ^ 2 / 0.0000254, row, " ")
            for (r = 1; r <= n; ++r) {
                out = out sig(row[r]) "|" sig(row[r] * sqrt(2)) "|" sig(row[r] * 2 * sqrt(2)) "|"
                if (r == 1) out = out level(a, refA[p + 1] + 0) "|"
                if (r == 3) out = out level(a / w, refV[p + 1] + 0) "|"
                if (r == 6) out = out level(a / w ^ 2, refD[p + 1] + 0) "|"
            }
            print out
        }'
}
empty_table='|||||||||||||||||||||||||||'

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
lit_pixels() { client_pixels $DISPLAY_AT $(size_of display) '#00FF00'; }

select_field() { click_client $((${1% *} + 5)) $((${1#* } + 11)); xdotool key End shift+Home; sleep 0.2; }
enter_value() { select_field "$1"; type_keys "$2"; }
# Chooses a list's item with the keyboard: Home, then Down as often as the index says.
choose() {
    click_client $((${1% *} + 5)) $((${1#* } + 11)); xdotool key Escape Home
    [ "$2" -gt 0 ] && xdotool key --repeat "$2" --delay 60 Down
    sleep 0.4
}
# Puts a text on the clipboard and pastes it over a field's text.
paste_into() {
    printf '%s' "$2" >"$STATE/paste.txt"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --set-clipboard "Z:$STATE/paste.txt" >/dev/null 2>&1
    select_field "$1"
    xdotool key ctrl+v
    sleep 0.5
}
clipboard() { driver_wine "$BUILD/tests/e2e/window_texts.exe" --clipboard 2>/dev/null; }

start_vibration() {
    start_program "$VIBRATION"
    wait_for_window || return 1
    sleep 1
    read_places
}

start_up() {
    forget_settings
    start_vibration || return 1
    check "caption" "Пересчёт параметров вибрации" "$(window_lines | grep '^window' | cut -f13-)"
    check "seven inputs, 27 fields, a display, a zone line, two buttons, a reason line, a chart" "7 27 1 1 2 1 1" \
        "$(for k in input cell display zone button reason chart; do echo "$PLACES" | grep -c "^$k "; done | xargs)"
    check "the value field has the focus, its text selected" "0:3 120" "$(child_at $VALUE | cut -f12- | tr '\t' ' ')"
    check "the lists as they start" \
        "уровень виброускорения, дБ|СКЗ|Гц|ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м|ГОСТ ИСО 10816-1, класс II: средние машины (15–75 кВт)" \
        "$(text_at $QUANTITY)|$(text_at $KIND)|$(text_at $FREQUENCY_UNIT)|$(text_at $PRESET)|$(text_at $MACHINE_CLASS)"
    # The worked example: 120 dB at 100 Hz against ISO 1683.
    check_table "120 dB at 100 Hz, as computed here" "$(expected_table 120 8 0 100 0 0)"
    check "120 dB at 100 Hz, as the example gives it" \
        "1,000|1,414|2,828|120,0|0,1020|1,592|2,251|4,502|124,0|0,001592|2,533|3,582|7,164|128,1" \
        "$(table | cut -d'|' -f1-5,8-11,12,18-21)"
    check_true "the display shows the velocity" [ "$(lit_pixels)" -gt 100 ]
    check "1,592 mm/s is class II's zone B" "Зона B — длительная эксплуатация без ограничений" "$(text_at $ZONE)"
    screenshot "$STATE/vibration-96.png"
}

# Tab goes through the inputs in their order, the lists of units and classes too.
tab_order() {
    local place
    click_client $((${VALUE% *} + 5)) $((${VALUE#* } + 11))
    for place in "$QUANTITY" "$KIND" "$FREQUENCY" "$FREQUENCY_UNIT" "$PRESET" "$MACHINE_CLASS"; do
        xdotool key Tab; sleep 0.3
        check_true "Tab reaches the input at $place" focus_at $place
    done
}

# The table always belongs to the items the lists show: a dropped list closed by a click
# elsewhere goes back to its former item, and the table with it; the wheel chooses too.
lists_as_shown() {
    click_client $((${PRESET% *} + 5)) $((${PRESET#* } + 11))  # dropped
    xdotool key Down; sleep 0.4
    check_table "a dropped list's next set, shown" "$(expected_table 120 8 0 100 0 1)"
    click_client $((${VALUE% *} + 5)) $((${VALUE#* } + 11))  # a click elsewhere closes it
    check "closed without a choice: the former set" "ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м" "$(text_at $PRESET)"
    check_table "... and its table" "$(expected_table 120 8 0 100 0 0)"
    click_client $((${KIND% *} + 5)) $((${KIND#* } + 11))
    xdotool key Down; sleep 0.4
    click_client $((${KIND% *} + 300)) $((${KIND#* } + 11))  # the form beside the dropped list
    check "the kind list closed beside it: СКЗ" "СКЗ" "$(text_at $KIND)"
    check_table "... and its table" "$(expected_table 120 8 0 100 0 0)"
    click_client $((${KIND% *} + 5)) $((${KIND#* } + 11)) 0
    xdotool click 5; sleep 0.4  # the wheel, on the closed list
    check "the wheel chose the peak" "пиковое" "$(text_at $KIND)"
    check_table "... and its table" "$(expected_table 120 8 1 100 0 0)"
    choose "$KIND" 0
}

# A velocity in mm/s read as a peak, at 50 Hz; a level under the old ship norms, typed
# with its comma; the frequency in rpm; a velocity and a displacement in their SI units.
conversions() {
    choose "$QUANTITY" 2
    choose "$KIND" 1
    enter_value "$FREQUENCY" "50"
    enter_value "$VALUE" "10"
    check "10 mm/s peak: the lists" "виброскорость, мм/с|пиковое" "$(text_at $QUANTITY)|$(text_at $KIND)"
    check_table "10 mm/s peak at 50 Hz" "$(expected_table 10 2 1 50 0 0)"
    check "its RMS velocity in the table" "7,071" "$(table | cut -d'|' -f8)"
    choose "$QUANTITY" 8
    choose "$KIND" 0
    choose "$PRESET" 2
    enter_value "$VALUE" "73,5"
    check "the comma stays as typed" "73,5" "$(text_at $VALUE)"
    check_table "73,5 dB under the old norms (3e-4 m/s2)" "$(expected_table 73.5 8 0 50 0 2)"
    choose "$QUANTITY" 9
    check_table "a velocity level under them (5e-8 m/s)" "$(expected_table 73.5 9 0 50 0 2)"
    choose "$FREQUENCY_UNIT" 1
    enter_value "$FREQUENCY" "3000"
    check "the frequency in rpm" "3000|об/мин" "$(text_at $FREQUENCY)|$(text_at $FREQUENCY_UNIT)"
    check_table "3000 rpm is 50 Hz" "$(expected_table 73.5 9 0 50 0 2)"
    choose "$FREQUENCY_UNIT" 0
    check_table "... and 3000 Hz is not" "$(expected_table 73.5 9 0 3000 0 2)"
    enter_value "$FREQUENCY" "50"
    choose "$PRESET" 0
    choose "$QUANTITY" 3
    enter_value "$VALUE" "0,0045"
    check_table "0,0045 m/s" "$(expected_table 0.0045 3 0 50 0 0)"
    check "... is 4,500 mm/s in its row" "4,500" "$(table | cut -d'|' -f8)"
    choose "$QUANTITY" 6
    check_table "0,0045 mm" "$(expected_table 0.0045 6 0 50 0 0)"
}

# What engineers paste: digit groups with a blank or a no-break space, the minus sign of
# documents, a value with its unit (which chooses the quantity), line ends; a paste that
# is no number says so and leaves the field as it was.
pastes() {
    choose "$QUANTITY" 2
    paste_into "$VALUE" "1 000"
    check "1 000 pasted" "1 000" "$(text_at $VALUE)"
    check_table "... read as 1000 mm/s" "$(expected_table 1000 2 0 50 0 0)"
    paste_into "$VALUE" "1 000,5"
    check_table "1 000,5 with a no-break space" "$(expected_table 1000.5 2 0 50 0 0)"
    paste_into "$VALUE" " 4,50	"
    check_table "4,50 between blanks and a tab" "$(expected_table 4.5 2 0 50 0 0)"
    choose "$QUANTITY" 9
    paste_into "$VALUE" "−4,5"
    check "the minus sign U+2212 read as the hyphen" "-4,5" "$(text_at $VALUE)"
    check_table "-4,5 dB" "$(expected_table -4.5 9 0 50 0 0)"
    paste_into "$VALUE" "4.5 мм/с"
    check "4.5 мм/с: the unit chose the quantity" "4.5|виброскорость, мм/с" "$(text_at $VALUE)|$(text_at $QUANTITY)"
    check_table "... and its table" "$(expected_table 4.5 2 0 50 0 0)"
    paste_into "$VALUE" "2,5 м/с²"
    check "2,5 м/с²: an acceleration" "2,5|виброускорение, м/с2" "$(text_at $VALUE)|$(text_at $QUANTITY)"
    check_table "... and its table" "$(expected_table 2.5 0 0 50 0 0)"
    paste_into "$VALUE" "80 дБ"
    check "80 дБ: the acceleration level" "80|уровень виброускорения, дБ" "$(text_at $VALUE)|$(text_at $QUANTITY)"
    paste_into "$FREQUENCY" "1 500 об/мин"
    check "1 500 об/мин: the unit list" "1 500|об/мин" "$(text_at $FREQUENCY)|$(text_at $FREQUENCY_UNIT)"
    check_table "... 25 Hz" "$(expected_table 80 8 0 25 0 0)"
    paste_into "$VALUE" "четыре мм"
    check_reason "no number: the reason" "Не число: «четыре мм»"
    check "... and the field as it was" "80" "$(text_at $VALUE)"
    check_table "... and its table" "$(expected_table 80 8 0 25 0 0)"
    choose "$FREQUENCY_UNIT" 0
    enter_value "$FREQUENCY" "50"
}

# The table out in one step: the button and Ctrl+Shift+C put the inputs, the header,
# each row with its caption and its cells as shown, and the zone on the clipboard, as
# tab-separated lines; nothing while the table is empty.
copying() {
    choose "$QUANTITY" 2
    enter_value "$VALUE" "4,5"
    local expected cells
    cells=$(expected_table 4.5 2 0 50 0 0)
    expected=$(awk -v cells="$cells" 'BEGIN {
        n = split(cells, c, "|"); i = 1
        print "4,5\tвиброскорость, мм/с\tСКЗ\t50\tГц\tISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м\r"
        print "Величина\tСКЗ\tпик\tразмах\tуровень, дБ\r"
        split("Виброускорение, м/с2|Виброускорение, g|Виброскорость, мм/с|Виброскорость, м/с|Виброскорость, дюйм/с|Виброперемещение, мкм|Виброперемещение, мм|Виброперемещение, мил", rows, "|")
        for (r = 1; r <= 8; ++r) {
            line = rows[r]
            for (k = 0; k < (r == 1 || r == 3 || r == 6 ? 4 : 3); ++k) line = line "\t" c[i++]
            print line "\r"
        }
        print "Зона C — ограниченное время, планировать ремонт\tГОСТ ИСО 10816-1, класс II: средние машины (15–75 кВт)\r"
    }')
    printf 'x' >"$STATE/paste.txt"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --set-clipboard "Z:$STATE/paste.txt" >/dev/null 2>&1
    click_client $((${BUTTON% *} + 10)) $((${BUTTON#* } + 10))
    sleep 0.5
    check "the button copies the table, cell by cell" "$expected" "$(clipboard)"
    check "... 11 lines of tab-separated cells" "6 5 5 4 5 4 4 5 4 4 2 " \
        "$(clipboard | awk -F'\t' '{ printf "%d ", NF }')"
    enter_value "$VALUE" "-"
    check_table "an unfinished value: no table" "$empty_table"
    printf 'x' >"$STATE/paste.txt"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --set-clipboard "Z:$STATE/paste.txt" >/dev/null 2>&1
    xdotool key ctrl+shift+c; sleep 0.5
    click_client $((${BUTTON% *} + 10)) $((${BUTTON#* } + 10))
    check "an empty table copies nothing" "x" "$(clipboard)"
    enter_value "$VALUE" "4,5"
    xdotool key ctrl+shift+c; sleep 0.5
    check "Ctrl+Shift+C copies it from the value field" "$expected" "$(clipboard)"
}

# The zone of each machine class at each of its boundaries, which belongs to the zone
# above, and just below it (class II's); the line's colour; no zone with no table.
zones() {
    choose "$QUANTITY" 2
    choose "$KIND" 0
    local letters=(A B C D) colours=('#50C850' '#B4DC3C' '#FFA500' '#E63C3C')
    local boundaries=("0,71 1,8 4,5" "1,12 2,8 7,1" "1,8 4,5 11,2" "2,8 7,1 18"
        "2,3 4,5 7,1" "3,5 7,1 11" "1,4 2,8 4,5" "2,3 4,5 7,1")
    local class zone value actual
    for class in 0 1 2 3 4 5 6 7; do
        choose "$MACHINE_CLASS" $class
        zone=1
        for value in ${boundaries[$class]}; do
            enter_value "$VALUE" "$value"
            actual=$(text_at $ZONE | sed "s/ —.*//")
            check "class $((class + 1)): $value mm/s is zone ${letters[$zone]}" "Зона ${letters[$zone]}" "$actual"
            zone=$((zone + 1))
        done
    done
    choose "$MACHINE_CLASS" 1
    for value in "1,119" "2,799" "7,099"; do
        enter_value "$VALUE" "$value"
        actual=$(text_at $ZONE | sed "s/ —.*//")
        case $value in 1,119) zone=A ;; 2,799) zone=B ;; *) zone=C ;; esac
        check "class II: $value mm/s is zone $zone" "Зона $zone" "$actual"
    done
    local i
    for i in 0 1 2 3; do
        enter_value "$VALUE" "$(echo "0,5 2 5 10" | cut -d' ' -f$((i + 1)))"
        check_true "zone ${letters[$i]}'s colour ${colours[$i]}" \
            [ "$(client_pixels $ZONE $(size_of zone) "${colours[$i]}")" -gt $(($(size_of zone | tr ' ' '*') / 2)) ]
    done
    enter_value "$VALUE" "-"
    check "no table, no zone" "" "$(text_at $ZONE)"
    enter_value "$VALUE" "4,5"
    check "the zone follows the class" "Зона C" "$(text_at $ZONE | sed "s/ —.*//")"
    choose "$MACHINE_CLASS" 3
    check "... class IV" "Зона B" "$(text_at $ZONE | sed "s/ —.*//")"
}

# The chart's pixels of a colour (#RRGGBB), a line "x y" each, in the chart's picture.
chart_pixels() {
    local origin
    origin=$(client_origin)
    import -window root "$STATE/chart.png"
    convert "$STATE/chart.png" -crop "$(size_of chart | tr ' ' 'x')+$((${origin% *} + ${CHART% *}))+$((${origin#* } + ${CHART#* }))" \
        +repage txt:- | awk -v c="$1" 'index(toupper($0), c) { split($1, p, "[,:]"); print p[1], p[2] }'
}
# The plot's frame as the picture shows it: its outermost pixels "left top right bottom",
# which are 1 Hz and 10 kHz, 1000 and 0,01 mm/s.
read_frame() {
    FRAME=$(chart_pixels '#303848' | awk '
        NR == 1 { l = r = $1; t = b = $2 }
        { if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2 }
        END { print l, t, r, b }')
}
# Where the chart puts a frequency and a velocity: "x y"; and the frequency of a column.
chart_pixel() {
    echo "$FRAME" | awk -v f="$1" -v v="$2" '{
        printf "%d %d\n", $1 + log(f) / log(10) / 4 * ($3 - $1) + 0.5, $4 - (log(v) / log(10) + 2) / 5 * ($4 - $2) + 0.5 }'
}
column_hertz() { echo "$FRAME" | awk -v x="$1" '{ print 10 ^ ((x - $1) / ($3 - $1) * 4) }'; }
# Whether a line of the colour passes within a pixel of (x, y): a pixel of it in column x.
line_near() {
    chart_pixels "$1" | awk -v x="$2" -v y="$3" '$1 == x && $2 - y <= 1 && y - $2 <= 1 { found = 1 } END { exit !found }'
}
displacement_colour='#2050C0'; acceleration_colour='#B03060'; point_colour='#E00000'

# The chart shows the table's point with the lines of constant displacement and
# acceleration where the arithmetic puts them, inside the zone's band; none with an
# empty table; a point beyond the range on the edge; Ctrl+C and the button copy it.
chart_part() {
    choose "$QUANTITY" 2
    choose "$KIND" 0
    choose "$MACHINE_CLASS" 1
    enter_value "$FREQUENCY" "50"
    enter_value "$VALUE" "4,5"
    read_frame
    check_true "the plot's frame: $FRAME" [ "$(echo "$FRAME" | awk '{ print ($3 - $1 > 200) && ($4 - $2 > 250) }')" == 1 ]
    local p x y
    p=$(chart_pixel 50 4.5); x=${p% *}; y=${p#* }
    check_true "4,5 mm/s at 50 Hz: the point" line_near "$point_colour" "$x" "$y"
    # v = 2πf·d: at 50 Hz, 10 µm is 3,14 mm/s and 100 µm 31,4; v = a / 2πf: 1 m/s² is 3,18.
    # Read three columns to the right, beside the cross-hair that goes down from the point.
    local pi=3.14159265358979 fx
    fx=$(column_hertz $((x + 3)))
    p=$(chart_pixel "$fx" "$(awk -v pi=$pi -v f="$fx" 'BEGIN { print 2 * pi * f * 0.01 }')")
    check_true "... above the 10 µm line" line_near "$displacement_colour" $((x + 3)) "${p#* }"
    check_true "... the line below it" [ "${p#* }" -gt "$y" ]
    p=$(chart_pixel "$fx" "$(awk -v pi=$pi -v f="$fx" 'BEGIN { print 2 * pi * f * 0.1 }')")
    check_true "... below the 100 µm line" line_near "$displacement_colour" $((x + 3)) "${p#* }"
    check_true "... the line above it" [ "${p#* }" -lt "$y" ]
    p=$(chart_pixel "$fx" "$(awk -v pi=$pi -v f="$fx" 'BEGIN { print 1000 / (2 * pi * f) }')")
    check_true "... near the 1 m/s² line" line_near "$acceleration_colour" $((x + 3)) "${p#* }"
    check_true "... in class II's zone C band (pale orange)" \
        [ "$(chart_pixels '#FFE8BF' | awk -v y="$y" '$2 == y' | wc -l)" -gt 20 ]
    # The crossing of 10 µm and 1 m/s²: f = 1 / (2π·√(10 µm / 1 m/s²)), v = 2πf·10 µm.
    local f v
    f=$(awk -v pi=$pi 'BEGIN { printf "%.4f", 1 / (2 * pi * sqrt(0.00001)) }')
    v=$(awk -v pi=$pi -v f="$f" 'BEGIN { printf "%.4f", 2 * pi * f * 0.01 }')
    enter_value "$FREQUENCY" "${f/./,}"
    enter_value "$VALUE" "${v/./,}"
    p=$(chart_pixel "$f" "$v"); x=${p% *}; y=${p#* }
    check_true "the point at ${f} Hz, ${v} mm/s" line_near "$point_colour" "$x" "$y"
    local side
    for side in -12 12; do
        fx=$(column_hertz $((x + side)))
        p=$(chart_pixel "$fx" "$(awk -v pi=$pi -v f="$fx" 'BEGIN { print 2 * pi * f * 0.01 }')")
        check_true "the 10 µm line $side pixels beside the crossing" line_near "$displacement_colour" "$((x + side))" "${p#* }"
        p=$(chart_pixel "$fx" "$(awk -v pi=$pi -v f="$fx" 'BEGIN { print 1000 / (2 * pi * f) }')")
        check_true "the 1 m/s² line $side pixels beside the crossing" line_near "$acceleration_colour" "$((x + side))" "${p#* }"
    done
    enter_value "$VALUE" "-"
    check "an empty table: no point" "0" "$(chart_pixels "$point_colour" | wc -l)"
    enter_value "$FREQUENCY" "50"
    enter_value "$VALUE" "5000"
    p=$(chart_pixel 50 1000)
    check_true "5000 mm/s: the point on the top edge" line_near "$point_colour" "${p% *}" "${p#* }"
    check_true "... with an arrow above it" [ "$(chart_pixels "$point_colour" | awk -v y="${p#* }" '$2 < y - 6' | wc -l)" -gt 5 ]
    enter_value "$VALUE" "4,5"
    printf 'x' >"$STATE/paste.txt"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --set-clipboard "Z:$STATE/paste.txt" >/dev/null 2>&1
    click_client $((${CHART_BUTTON% *} + 10)) $((${CHART_BUTTON#* } + 10))
    check "the button copies the chart as a picture" "$(size_of chart | awk '{ print $1 - 4 "x" $2 - 4 }')" \
        "$(driver_wine "$BUILD/tests/e2e/window_texts.exe" --clipboard-picture 2>/dev/null | tr -d '\r')"
    driver_wine "$BUILD/tests/e2e/window_texts.exe" --set-clipboard "Z:$STATE/paste.txt" >/dev/null 2>&1
    click_client $((${CHART% *} + 100)) $((${CHART#* } + 100))
    xdotool key ctrl+c; sleep 0.5
    check "Ctrl+C on the chart copies it too" "$(size_of chart | awk '{ print $1 - 4 "x" $2 - 4 }')" \
        "$(driver_wine "$BUILD/tests/e2e/window_texts.exe" --clipboard-picture 2>/dev/null | tr -d '\r')"
}

# Each refusal: its line, an empty table, the display's bars; an emptied field: no line.
refusals() {
    local bars
    choose "$QUANTITY" 0
    enter_value "$VALUE" "-5"
    check_reason "a value below zero" "Значение должно быть больше нуля"
    check_table "-5: no table" "$empty_table"
    bars=$(lit_pixels)
    enter_value "$VALUE" "2"
    check_reason "a good value clears the line" ""
    check_true "the display shows digits again" [ "$(lit_pixels)" -ne "$bars" ]
    enter_value "$FREQUENCY" "0"
    check_reason "frequency 0" "Частота должна быть больше нуля"
    check_table "frequency 0: no table" "$empty_table"
    enter_value "$FREQUENCY" "50"
    choose "$PRESET" 2
    choose "$QUANTITY" 10
    check_reason "a displacement level under norms without its reference" \
        "В выбранных нормах нет опорного значения для этой величины"
    check_table "no reference: no table" "$empty_table"
    choose "$QUANTITY" 8
    enter_value "$VALUE" "7000"
    check_reason "7000 dB" "Слишком большое число"
    check "7000 dB: the display's bars" "$bars" "$(lit_pixels)"
    # The ends of the double range: a level of a value whose ratio to its reference
    # would overflow; values below the normal range, or nearer 0 than any double; a
    # value beyond the range.
    choose "$QUANTITY" 0
    enter_value "$VALUE" "1e300"
    check_table "1e300 m/s2, with its levels" "$(expected_table 1e300 0 0 50 0 2)"
    local tiny
    for tiny in "1e-320" "1e-99999" "4,9e-324"; do
        enter_value "$VALUE" "$tiny"
        check_reason "$tiny m/s2" "Слишком малое число"
        check_table "$tiny m/s2: no table" "$empty_table"
    done
    enter_value "$VALUE" "1e999"
    check_reason "1e999 m/s2" "Слишком большое число"
    choose "$QUANTITY" 8
    enter_value "$VALUE" "-5"
    check_reason "a level may be below zero" ""
    check_table "-5 dB" "$(expected_table -5 8 0 50 0 2)"
    # An unfinished number is no value yet (nor a value below zero): the table empties,
    # with no reason, and a list changed meanwhile leaves it so.
    enter_value "$VALUE" "-"
    check_table "an unfinished level: no table" "$empty_table"
    check_reason "... and no reason" ""
    check "... and the display's bars" "$bars" "$(lit_pixels)"
    choose "$KIND" 1
    check_table "a list changed beside an unfinished level: no table" "$empty_table"
    check_reason "... and no reason" ""
    enter_value "$VALUE" "-5"
    enter_value "$FREQUENCY" "1e"
    choose "$KIND" 0
    check_table "a list changed beside an unfinished frequency: no table" "$empty_table"
    check_reason "... and no reason" ""
    enter_value "$FREQUENCY" "50"
    check_table "the frequency finished: -5 dB again" "$(expected_table -5 8 0 50 0 2)"
    enter_value "$FREQUENCY" "100e"
    check_table "100e Hz: no table" "$empty_table"
    type_keys "0"
    check_table "100e0 Hz" "$(expected_table -5 8 0 100 0 2)"
    enter_value "$FREQUENCY" "50"
    select_field "$VALUE"
    xdotool key BackSpace; sleep 0.5
    check "emptied: the field's 0" "0" "$(text_at $VALUE)"
    check_table "emptied: no table" "$empty_table"
    check_reason "emptied: no line" ""
}

# What the user left comes back at the next start; a damaged file, or one that cannot
# be written, gives the defaults and no box.
settings_kept() {
    choose "$QUANTITY" 4
    choose "$KIND" 2
    enter_value "$FREQUENCY" "1 200"
    choose "$FREQUENCY_UNIT" 1
    choose "$PRESET" 3
    choose "$MACHINE_CLASS" 5
    enter_value "$VALUE" "0,25"
    # Alt+F4 closes the window from a list too (the list would hand it to its dropped list).
    choose "$KIND" 2
    xdotool key alt+F4
    check "closed from a list: exit code" "0" "$(wait_for_exit)"
    check_true "the settings are kept in the user's application data" [ -s "$(settings_file)" ]
    start_vibration || return 1
    check "the inputs as they were left" \
        "0,25|виброскорость, дюйм/с|размах|1 200|об/мин|ANSI S1.8, JIS C 1510: 1e-5 м/с2, 1e-8 м/с|ГОСТ ИСО 10816-3, группа 1 (300 кВт – 50 МВт), податливая опора" \
        "$(text_at $VALUE)|$(text_at $QUANTITY)|$(text_at $KIND)|$(text_at $FREQUENCY)|$(text_at $FREQUENCY_UNIT)|$(text_at $PRESET)|$(text_at $MACHINE_CLASS)"
    check_table "... and their table" "$(expected_table 0.25 4 2 1200 1 3)"
    check "the value's text selected for typing over" "0:4" "$(child_at $VALUE | cut -f12)"
    local file
    file=$(settings_file)
    xdotool key alt+F4
    wait_for_exit >/dev/null
    printf '[Settings]\r\nValue=abc\r\nQuantity=77\r\nKind=-1\r\nFrequency=\001\002\r\nReferences=1x\r\n' >"$file"
    head -c 3000 /dev/urandom >>"$file"
    start_vibration || return 1
    check "a damaged file: the defaults" "120|уровень виброускорения, дБ|СКЗ|100|Гц" \
        "$(text_at $VALUE)|$(text_at $QUANTITY)|$(text_at $KIND)|$(text_at $FREQUENCY)|$(text_at $FREQUENCY_UNIT)"
    check "... and no box" "0" "$(window_lines '#32770' | grep -c '^window')"
    xdotool key alt+F4
    check "... and it closes" "0" "$(wait_for_exit)"
    rm -f "$file"
    mkdir "$file"  # a folder where the file would be: nothing can be kept
    start_vibration || return 1
    enter_value "$VALUE" "33"
    xdotool key alt+F4
    check "an unwritable file: it closes all the same" "0" "$(wait_for_exit)"
    rmdir "$file"
}

# The windows that overlap another or pass the client area's edge, a pair or one a line:
# the layout is made from the texts' widths in the font at the display's DPI.
overlapping() {
    window_lines | awk -F'\t' '
        $1 == "window" { b = int(($5 - $3 - $10) / 2); x0 = $3 + b; y0 = $6 - b - $11; x1 = x0 + $10; y1 = $6 - b }
        $1 == "child" && $7 == 1 { ++n; l[n] = $3; t[n] = $4; r[n] = $5; d[n] = $6; text[n] = $2 " " $13 }
        END {
            for (i = 1; i <= n; ++i) {
                if (l[i] < x0 || t[i] < y0 || r[i] > x1 || d[i] > y1) print "outside:", text[i]
                for (j = i + 1; j <= n; ++j)
                    if (l[i] < r[j] && l[j] < r[i] && t[i] < d[j] && t[j] < d[i]) print text[i], "|", text[j]
            }
        }'
}

# At 96, 144 and 192 DPI no window overlaps another or the form's edge and no label is
# cut.
scaled_session() {
    local dpi=$1
    set_display_dpi "$dpi"
    forget_settings
    start_vibration || return 1
    check "$dpi DPI: no window over another" "" "$(overlapping)"
    check "$dpi DPI: no label cut" "" "$(labels_cut)"
    check_table "$dpi DPI: the example's table" "$(expected_table 120 8 0 100 0 0)"
    screenshot "$STATE/vibration-$dpi.png"
    xdotool key alt+F4
    check "$dpi DPI: exit code" "0" "$(wait_for_exit)"
}

if run_part start_up; then
    check "96 DPI: no window over another" "" "$(overlapping)"
    check "96 DPI: no label cut" "" "$(labels_cut)"
    run_part tab_order
    run_part lists_as_shown
    run_part conversions
    run_part pastes
    run_part copying
    run_part zones
    run_part chart_part
    run_part refusals
    run_part settings_kept
    run_part scaled_session 144
    run_part scaled_session 192
    set_display_dpi 96
else
    failed=$((failed + 1))
fi
forget_settings
finish_checks
