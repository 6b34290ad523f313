# The Debian packages the project's commands need, and their installation. Sourced by
# the project's scripts.

# Building and running the programs under Wine: the cross compiler, CMake and Ninja,
# Wine, the virtual display and the input tool of the headless demonstration, and
# ImageMagick for its screenshot.
run_packages=(
    cmake ninja-build g++-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool imagemagick
)
# Testing as well: the native compiler and its sanitizer runtime, clang for the fuzz
# targets, GoogleTest, Google Benchmark, the reference parser of the formula tests and
# the format check.
test_packages=(
    "${run_packages[@]}"
    g++ libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev libmuparser-dev clang-format
)

missing_packages() {  # missing_packages PACKAGE...
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || echo "$package"
    done
}

# Installs the missing ones of the given packages when run as root; otherwise names
# the command to run.
ensure_packages() {  # ensure_packages PACKAGE...
    local missing
    missing=$(missing_packages "$@" | paste -sd ' ')
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        return 1
    fi
    echo "Installing: $missing"
    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
}
