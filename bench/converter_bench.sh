#!/usr/bin/env bash
# Converter figures under Wine on a virtual display: start-up time to the window shown
# against a bare Win32 program with the same seven windows (medians of 21 runs each;
# RUNS=N for another count), the time from a key to both outputs against a bare program
# doing the same job by hand (medians of 2000 keys, the median of 7 such runs each;
# KEY_RUNS=N), where the converter's keystroke spends that time, the vibration
# program's keystroke without and with its chart beside a bare program doing its job by
# hand, the chart's paint at 144 DPI, and the size of converter.exe.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target converter bench_bare_windows bench_launch_timer bench_key_latency \
        bench_bare_key_latency bench_key_steps bench_vibration_key_latency bench_bare_vibration_key_latency \
        bench_chart_paint >/dev/null || exit 1
BUILD=$ROOT/build/windows
STATE=$BUILD/bench-session
"$ROOT/cmake/wine-session.sh" start "$STATE" || exit 1
trap '"$ROOT/cmake/wine-session.sh" stop "$STATE"' EXIT
run() { "$ROOT/cmake/wine-run.sh" "$STATE" "$@" 2>/dev/null | tr -d '\r'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

windows_path() { echo "Z:$(echo "$1" | tr '/' '\\')"; }
converter=$(windows_path "$BUILD/app/converter.exe")
bare=$(windows_path "$BUILD/bench/windows/bench_bare_windows.exe")
run "$BUILD/bench/windows/bench_launch_timer.exe" obj_Form "$converter" >/dev/null  # warm the caches

# Converter and bare program alternate, so that a slow phase of the machine hits both.
runs=${RUNS:-21}
converter_times=""
bare_times=""
for _ in $(seq "$runs"); do
    converter_times+="$(run "$BUILD/bench/windows/bench_launch_timer.exe" obj_Form "$converter")"$'\n'
    bare_times+="$(run "$BUILD/bench/windows/bench_launch_timer.exe" BareForm "$bare")"$'\n'
done
c=$(echo -n "$converter_times" | median)
b=$(echo -n "$bare_times" | median)
echo "start-up to window shown: converter ${c} ms, bare program ${b} ms (medians of $runs)"
awk -v c="$c" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", c / b }'

# Key latency, alternating in the same way: the programs' medians (of KEY_RUNS runs of
# 2000 keys each), printed as "first us second us ...". A program is a command line.
key_median() { run $1 | sed -n 's/.*median \([0-9.]*\) us.*/\1/p'; }
key_runs=${KEY_RUNS:-7}
alternate_keys() {  # alternate_keys "FIRST.exe [ARGUMENTS]" "SECOND.exe [ARGUMENTS]" ...
    local -a times
    local i
    for _ in $(seq "$key_runs"); do
        for ((i = 1; i <= $#; ++i)); do times[i]+="$(key_median "${!i}")"$'\n'; done
    done
    for ((i = 1; i <= $#; ++i)); do echo -n "$(echo -n "${times[i]}" | median) "; done
    echo
}
read -r c b < <(alternate_keys "$BUILD/bench/windows/bench_key_latency.exe" "$BUILD/bench/windows/bench_bare_key_latency.exe")
echo "key to both outputs: converter ${c} us, bare program ${b} us (medians of $key_runs runs of 2000 keys)"
awk -v c="$c" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", c / b }'
# The vibration program's keystroke, which computes and shows its whole table, without
# and with its chart, beside a bare program doing the table's job by hand: the goals are
# at most 1.3 times the bare program without the chart, and the chart adding at most a
# third of the bare program's time.
read -r n v b < <(alternate_keys "$BUILD/bench/windows/bench_vibration_key_latency.exe --no-chart" \
    "$BUILD/bench/windows/bench_vibration_key_latency.exe" "$BUILD/bench/windows/bench_bare_vibration_key_latency.exe")
echo "key to the whole table: vibration ${n} us without the chart, ${v} us with it, bare program ${b} us (medians of $key_runs runs of 2000 keys)"
awk -v n="$n" -v v="$v" -v b="$b" \
    'BEGIN { printf "ratio without the chart: %.2f; the chart adds %.2f of the bare program\n", n / b, (v - n) / b }'
# The chart's whole paint at 144 DPI (the session's scaling, for this run only).
dpi() { run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; WINEPREFIX=$STATE/prefix wineserver -k; WINEPREFIX=$STATE/prefix wineserver -w; }
dpi 144
run "$BUILD/bench/windows/bench_chart_paint.exe"
dpi 96
run "$BUILD/bench/windows/bench_key_steps.exe"
echo "converter.exe: $(stat -c %s "$BUILD/app/converter.exe") bytes"
