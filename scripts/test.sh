#!/usr/bin/env bash
# Installs what is missing, builds both configurations, the benchmarks and the fuzz
# target, and runs every test: the native tests under the sanitizers, the Windows
# tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."

. scripts/packages.sh
ensure_packages || exit 1

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -- -j"$(nproc)"
}

status=0
for preset in native windows bench fuzz; do
    echo "=== build: $preset"
    build "$preset" || { echo "build of $preset failed" >&2; exit 1; }
done
for preset in native windows; do
    echo "=== tests: $preset"
    ctest --preset "$preset" || status=1
done
exit $status
