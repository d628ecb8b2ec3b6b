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

# What building and running the programs needs. At run time they load Mesa's GL driver
# (libgl1-mesa-dri), the Comic Neue font through fontconfig, and SDL's X11 message boxes
# draw their text with the X core fonts of xfonts-base: without them every box becomes a
# line on standard error that a player never sees.
BUILD_PACKAGES=(
    g++ cmake make pkg-config
    libsdl2-dev libsdl2-mixer-dev
    libx11-dev libxi-dev libxtst-dev
    libfreetype-dev libfontconfig-dev fonts-comic-neue fontconfig
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    xfonts-base
)

# What the tests need on top: GoogleTest, Google Benchmark, a virtual X server (the tests
# drive it through Xlib, XTest and XInput2), the menu-entry checker desktop-file-validate
# and setpriv (util-linux) for the read-only folder test run as root.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth zlib1g-dev
    desktop-file-utils util-linux
)

# The fuzz targets (fuzz/): clang and its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(
    clang-14 libclang-rt-14-dev
)
