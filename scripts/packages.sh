# The Debian packages that building and testing need, and their installation.
# Sourced by the project's scripts.

required_packages=(
    cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool imagemagick
    clang libclang-rt-14-dev libmuparser-dev
)

missing_packages() {
    local package
    for package in "${required_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || echo "$package"
    done
}

# Installs the missing packages when run as root; otherwise names the command to run.
ensure_packages() {
    local missing
    missing=$(missing_packages | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        return 1
    fi
    echo "Installing: $missing"
    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
}
