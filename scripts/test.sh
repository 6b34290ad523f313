#!/usr/bin/env bash
# Installs what is missing, checks the format of the sources, builds both
# configurations, the benchmarks and the fuzz targets, and runs every test: the native
# tests under the sanitizers, the Windows tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."

. scripts/packages.sh
ensure_packages "${test_packages[@]}" || exit 1

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -- -j"$(nproc)"
}

status=0
echo "=== format"
bash scripts/format-check.sh || status=1
for preset in native windows bench fuzz; do
    echo "=== build: $preset"
    build "$preset" || { echo "build of $preset failed" >&2; exit 1; }
done
echo "=== tests: native"
ctest --preset native || status=1
# The end-to-end and soak tests take a minute or two each; the lines they write to the
# session's progress file are shown as they come, indented under ctest's own.
echo "=== tests: windows"
progress=build/windows/wine/progress
rm -f "$progress"
ctest --preset windows &
tests=$!
tail -n +1 -F --pid="$tests" "$progress" 2>/dev/null | sed -u 's/^/        .. /'
wait "$tests" || status=1
exit $status
