# Sourced by ./run and ./test: installs the Debian packages that are missing.
# Usage: ensure_packages PACKAGE...

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq || return 1
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# What building and running the programs needs.
BUILD_PACKAGES=(
    g++ cmake make pkg-config
    libsdl2-dev libsdl2-mixer-dev
    libx11-dev libxi-dev libxtst-dev
    libfreetype-dev libfontconfig-dev fonts-comic-neue
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
)

# What the tests need on top: GoogleTest, Google Benchmark, a virtual X server and its tools.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils libxfixes-dev zlib1g-dev
)
