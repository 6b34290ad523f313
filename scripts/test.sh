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

# The C++ sources must be as clang-format writes them (.clang-format); the files that
# are not are listed.
check_format() {
    local file off=()
    while IFS= read -r file; do
        clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || off+=("$file")
    done < <(git ls-files '*.cpp' '*.h')
    [ ${#off[@]} -eq 0 ] && return 0
    echo "Not formatted (clang-format -i FILE...):" >&2
    printf '  %s\n' "${off[@]}" >&2
    return 1
}

status=0
echo "=== format"
check_format || status=1
for preset in native windows bench fuzz; do
    echo "=== build: $preset"
    build "$preset" || { echo "build of $preset failed" >&2; exit 1; }
done
for preset in native windows; do
    echo "=== tests: $preset"
    ctest --preset "$preset" || status=1
done
exit $status
