#!/usr/bin/env bash
# Checks that every C++ source of the tree (the build folders left out) is as
# clang-format writes it (.clang-format), and lists the files that are not. A tree in
# which it finds no source at all fails too: then it has checked nothing.
#   format-check.sh [FOLDER]      (default: the project folder)
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 1

sources() {
    find . \( -path ./build -o -path ./.git \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
        sort
}

checked=0
off=()
while IFS= read -r file; do
    checked=$((checked + 1))
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || off+=("$file")
done < <(sources)

if [ "$checked" -eq 0 ]; then
    echo "No C++ source found in $PWD: nothing was checked." >&2
    exit 1
fi
if [ ${#off[@]} -gt 0 ]; then
    echo "Not formatted (clang-format -i FILE...):" >&2
    printf '  %s\n' "${off[@]}" >&2
    exit 1
fi
echo "$checked C++ sources formatted as .clang-format says."
