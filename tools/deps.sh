# Installs the Debian packages named as arguments that are not installed yet: with apt-get
# as root, through sudo otherwise. Sourced by run.sh and test.sh.
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
# The Windows release (tools/build-windows.sh): cross compiler, icon tool, zip; and what
# tools/test-windows.sh plays it with under wine.
WINDOWS_PACKAGES=(mingw-w64 icoutils zip unzip cmake make pkg-config xz-utils bzip2 dpkg-dev
    wine64 xvfb xdotool x11-utils imagemagick python3)

# What the tests and benchmarks need on top.
# The art generator's check (tools/make-media.sh --check) is one of the tests; test.sh
# builds the Debian package (dpkg-dev), whose desktop entry the install test validates.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev libx11-dev xvfb xdotool imagemagick
    x11-apps x11-utils python3 libpng-dev libfreetype-dev fonts-dejavu-core dpkg-dev
    desktop-file-utils)

# What tools/build-deb.sh needs to build the Debian package as Debian builds it, and what the
# install test checks the package's metainfo and manual page with.
PACKAGE_PACKAGES=(dpkg-dev binutils appstream man-db)

# The compilers tools/test-compilers.sh builds with: GCC 11 (Ubuntu 22.04's), GCC 12 (Debian
# 12's) and Clang 14.
COMPILER_PACKAGES=(g++-11 g++-12 clang-14)

# What tools/test-debian-root.sh needs to make a fresh Debian root.
ROOT_PACKAGES=(debootstrap)

# The unit tests on Windows (tools/test-windows-units.sh): GoogleTest's source, and wine.
WINDOWS_TEST_PACKAGES=(googletest wine wine64)

# The other processors (tests/elsewhere/cross.sh, and tools/build-deb.sh for ARM): Debian's
# cross compilers, qemu-user to run what they build, dpkg-dev to unpack the target's packages.
CROSS_PACKAGES=(g++-aarch64-linux-gnu g++-arm-linux-gnueabihf g++-i686-linux-gnu qemu-user
    cmake make pkg-config dpkg-dev)
