#!/usr/bin/env bash
# Converter figures under Wine on a virtual display: start-up time to the window shown
# against a bare Win32 program with the same seven windows (medians of 21 runs each;
# RUNS=N for another count), the time from a key to both outputs against a bare program
# doing the same job by hand (medians of 2000 keys, the median of 7 such runs each;
# KEY_RUNS=N), where the converter's keystroke spends that time, the vibration
# program's keystroke beside the converter's, and the size of converter.exe.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target converter bench_bare_windows bench_launch_timer bench_key_latency \
        bench_bare_key_latency bench_key_steps bench_vibration_key_latency >/dev/null || exit 1
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

# Key latency, alternating in the same way: two programs' medians (of KEY_RUNS runs of
# 2000 keys each), printed as "first us second us".
key_median() { run "$1" | sed -n 's/.*median \([0-9.]*\) us.*/\1/p'; }
key_runs=${KEY_RUNS:-7}
alternate_keys() {  # alternate_keys FIRST.exe SECOND.exe
    local first="" second=""
    for _ in $(seq "$key_runs"); do
        first+="$(key_median "$1")"$'\n'
        second+="$(key_median "$2")"$'\n'
    done
    echo "$(echo -n "$first" | median) $(echo -n "$second" | median)"
}
read -r c b < <(alternate_keys "$BUILD/bench/windows/bench_key_latency.exe" "$BUILD/bench/windows/bench_bare_key_latency.exe")
echo "key to both outputs: converter ${c} us, bare program ${b} us (medians of $key_runs runs of 2000 keys)"
awk -v c="$c" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", c / b }'
# The vibration program's keystroke, which computes and shows its whole table, beside
# the converter's; the goal is one frame at 60 Hz.
read -r v c < <(alternate_keys "$BUILD/bench/windows/bench_vibration_key_latency.exe" "$BUILD/bench/windows/bench_key_latency.exe")
echo "key to the whole table: vibration ${v} us, converter ${c} us (medians of $key_runs runs of 2000 keys)"
awk -v c="$c" -v v="$v" 'BEGIN { printf "ratio: %.2f; one frame at 60 Hz is 16667 us\n", v / c }'
run "$BUILD/bench/windows/bench_key_steps.exe"
echo "converter.exe: $(stat -c %s "$BUILD/app/converter.exe") bytes"
