# shellcheck shell=bash disable=SC2034 # the lists are read by the scripts that source this
# What the scripts share, said once: the package installer and the package lists, the Xvfb
# starter, the version and the helper programs' build. Sourced by run.sh, test.sh and every
# script that installs, builds or opens a display (scripts/drive.sh for those that run the game).

# install_missing_packages PACKAGE...: the Debian packages not installed yet, installed with
# apt-get as root, through sudo otherwise.
install_missing_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "plint: please install these packages: ${missing[*]}" >&2
            return 1
        }
        as_root=(sudo)
    fi
    echo "plint: installing ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building the game needs.
BUILD_PACKAGES=(g++ cmake make pkg-config libsdl1.2-dev libsdl-image1.2-dev)
# The Windows release (packaging/windows/build-windows.sh): cross compiler, icon tool, zip;
# and what platforms/windows.sh plays it with under wine.
WINDOWS_PACKAGES=(mingw-w64 icoutils zip unzip cmake make pkg-config xz-utils bzip2 dpkg-dev
    wine64 xvfb xdotool x11-utils imagemagick python3)

# What the art generator (art/make-media.sh) is built and run with.
ART_PACKAGES=(g++ pkg-config libpng-dev libfreetype-dev fonts-dejavu-core)

# What the tests and benchmarks need on top.
# The art generator's check (art/make-media.sh --check) is one of the tests; test.sh
# builds the Debian package (dpkg-dev), whose desktop entry the install test validates.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev libx11-dev xvfb xdotool imagemagick
    x11-apps x11-utils python3 libpng-dev libfreetype-dev fonts-dejavu-core dpkg-dev
    desktop-file-utils)

# What packaging/build-deb.sh needs to build the Debian package as Debian builds it, and what the
# install test checks the package's metainfo and manual page with.
PACKAGE_PACKAGES=(dpkg-dev binutils appstream man-db)

# The compilers platforms/compilers.sh builds with: GCC 11 (Ubuntu 22.04's), GCC 12 (Debian
# 12's) and Clang 14.
COMPILER_PACKAGES=(g++-11 g++-12 clang-14)

# What platforms/debian-root.sh needs to make a fresh Debian root.
ROOT_PACKAGES=(debootstrap)

# The unit tests on Windows (platforms/windows-units.sh): GoogleTest's source, and wine.
WINDOWS_TEST_PACKAGES=(googletest wine wine64)

# The game's version: the top entry of the Debian changelog, which CMake reads as well.
plint_version() {
    sed -n '1s/^plint (\([0-9.]*\)).*/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../packaging/changelog"
}

# xvfb_start WxHxDEPTH FILE: an Xvfb on the display it picks itself, which it writes into
# FILE; sets XVFB_PID and exports DISPLAY, or returns 1 when none starts within 30 s.
# -noreset: without it Xvfb resets (pointer included) whenever its last client leaves,
# which every separate xdotool call is.
xvfb_start() {
    local _
    : >"$2"
    Xvfb -displayfd 3 -screen 0 "$1" -noreset -nolisten tcp 3>"$2" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 300); do
        [ -s "$2" ] && DISPLAY=":$(cat "$2")" && export DISPLAY && return 0
        kill -0 "$XVFB_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# build_helpers TARGET...: the helper programs the measuring scripts run or preload (the
# fixed clock, the floor, the pass timer), built by CMake from this tree in build-helpers/;
# prints that folder. Run from the repository root.
build_helpers() {
    cmake -S . -B build-helpers -DCMAKE_BUILD_TYPE=Release -DPLINT_TESTS=OFF >/dev/null &&
        cmake --build build-helpers -j2 --target "$@" >/dev/null && echo "$PWD/build-helpers"
}

# The other processors (platforms/cross.sh, and packaging/build-deb.sh for ARM): Debian's
# cross compilers, qemu-user to run what they build, dpkg-dev to unpack the target's packages.
CROSS_PACKAGES=(g++-aarch64-linux-gnu g++-arm-linux-gnueabihf g++-i686-linux-gnu qemu-user
    cmake make pkg-config dpkg-dev)
