#!/usr/bin/env bash
# Builds the Debian package as Debian builds one, in its own folder build-deb/ (made anew each
# time, never sharing build/'s cache): the compiler and linker flags from dpkg-buildflags with
# every hardening feature, the time of the changelog's top entry as SOURCE_DATE_EPOCH, the
# source folder mapped to "." in everything compiled, the debug symbols split into a -dbgsym
# package the stripped game points to with .gnu_debuglink, and both packages compressed with
# xz. Two builds from two clean clones at different paths give byte-identical packages.
#   packaging/build-deb.sh [ARCH]   this machine's architecture (amd64) by default, or arm64 or
#                               armhf: cross-built against Debian 12's own libraries for it
#                               (packaging/sysroot.sh), its dependencies read from them
# Leaves build-deb/plint_VERSION_ARCH.deb and build-deb/plint-dbgsym_VERSION_ARCH.deb (for
# another architecture in build-deb-ARCH/, so the machine's own package stays).
set -eu
cd "$(dirname "$0")/.."
umask 022
. scripts/common.sh
arch=${1:-$(dpkg --print-architecture)}
case $arch in
"$(dpkg --print-architecture)") triplet='' out=build-deb ;;
arm64) triplet=aarch64-linux-gnu out=build-deb-$arch ;;
armhf) triplet=arm-linux-gnueabihf out=build-deb-$arch ;;
*) echo "build-deb: no cross build for $arch (arm64 and armhf are made)" >&2; exit 2 ;;
esac
install_missing_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
[ -z "$triplet" ] || install_missing_packages "${CROSS_PACKAGES[@]}"
export LC_ALL=C.UTF-8 TZ=UTC

changelog=packaging/changelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
maintainer=$(dpkg-parsechangelog -l "$changelog" -S Maintainer)
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$changelog" -S Timestamp)
export SOURCE_DATE_EPOCH
cross=()
binutils='' # the tools for the package's architecture: the cross ones, prefixed
if [ -n "$triplet" ]; then
    sysroot=$(packaging/sysroot.sh "$arch" | tail -1)
    cross=(-DCMAKE_TOOLCHAIN_FILE="packaging/cross/$triplet.cmake" -DPLINT_SYSROOT="$sysroot")
    binutils=$triplet-
    # dpkg-buildflags and dpkg-shlibdeps answer for the package's architecture.
    export DEB_HOST_ARCH=$arch
fi

# What debhelper gives a build: dpkg-buildflags' flags, run from here so that their file
# prefix map turns this folder into "."; CMake reads no CPPFLAGS, so they join the others.
# Large-file offsets as Debian 13 gives every 32-bit build (armhf; nothing changes on 64 bits).
export DEB_BUILD_MAINT_OPTIONS="hardening=+all future=+lfs"
eval "$(dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
# Newer dpkg-buildflags add these as well (Debian 13 does); Debian 12's does not yet.
newer=(-fstack-clash-protection)
[ "$arch" = amd64 ] && newer+=(-fcf-protection)
[ "$arch" = arm64 ] && newer+=(-mbranch-protection=standard)
for flag in "${newer[@]}"; do
    [[ " $CXXFLAGS " == *" $flag "* ]] || CXXFLAGS="$CXXFLAGS $flag"
done
[[ $CXXFLAGS == *"-ffile-prefix-map=$PWD=."* ]] || export CXXFLAGS="$CXXFLAGS -ffile-prefix-map=$PWD=."
# The target's SDL headers are named in the debug symbols by where they are installed.
[ -z "$triplet" ] || export CXXFLAGS="$CXXFLAGS -ffile-prefix-map=$sysroot="

rm -rf "$out"
cmake -S . -B "$out" "${cross[@]}" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_BINDIR=games -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >/dev/null
cmake --build "$out" -j"${PLINT_JOBS:-2}" >/dev/null

# The game's tree, less the licence: the copyright file below carries it once.
root=$out/stage/plint
DESTDIR=$PWD/$root cmake --install "$out" --component Unspecified >/dev/null
doc=$root/usr/share/doc/plint
install -m 644 packaging/copyright "$doc/copyright"
gzip -9n <"$changelog" >"$doc/changelog.gz"
gzip -9n "$root/usr/share/man/man6/plint.6"

# The debug symbols, as dh_strip splits them: kept under the game's build id, .comment and
# the symbols stripped from the game, which names its debug file in .gnu_debuglink.
game=$root/usr/games/plint
build_id=$(readelf -n "$game" | sed -n 's/^ *Build ID: *//p')
debug_root=$out/stage/plint-dbgsym
debug_file=$debug_root/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
mkdir -p "$(dirname "$debug_file")" "$debug_root/usr/share/doc"
${binutils}objcopy --only-keep-debug --compress-debug-sections "$game" "$debug_file"
${binutils}objcopy --remove-section=.comment "$debug_file"
chmod 644 "$debug_file"
${binutils}strip --remove-section=.comment --remove-section=.note "$game"
${binutils}objcopy --add-gnu-debuglink="$debug_file" "$game"
ln -s plint "$debug_root/usr/share/doc/plint-dbgsym"

# The C and C++ runtimes as the game needs them, found by dpkg-shlibdeps; the two SDL
# libraries by hand, so that either SDL 1.2 (the classic library or the compatibility one
# over SDL 2) satisfies them. For another architecture the libraries and their symbols files
# are the target's own packages, unpacked as package trees for dpkg-shlibdeps to search.
shlibs=$out/shlibs
mkdir -p "$shlibs/debian"
: >"$shlibs/debian/control" # dpkg-shlibdeps reads it, and needs nothing in it
trees=()
if [ -n "$triplet" ]; then
    for package in libc6 libgcc-s1 libstdc++6 libsdl1.2debian libsdl-image1.2; do
        dpkg-deb -R "$(dirname "$sysroot")"/debs/"${package}"_*.deb "$shlibs/$package"
        trees+=("-S$PWD/$shlibs/$package")
    done
fi
found=$(cd "$shlibs" && dpkg-shlibdeps -O "${trees[@]}" -xlibsdl1.2debian -xlibsdl-image1.2 \
    "$OLDPWD/$game" 2>/dev/null) ||
    { echo "build-deb: dpkg-shlibdeps could not read $game" >&2; exit 1; }
depends="libsdl1.2debian (>= 1.2.15) | libsdl1.2-compat, libsdl-image1.2 (>= 1.2.10), ${found#shlibs:Depends=}"

# Kilobytes as dpkg-gencontrol counts them: each file rounded up, one for each folder or link.
installed_size() {
    find "$1" -mindepth 1 -not -path "$1/DEBIAN*" -printf '%y %s\n' |
        awk '{ n += ($1 == "f") ? int(($2 + 1023) / 1024) : 1 } END { print n }'
}

# DIR, then the control fields past the common ones: writes DIR's control and md5sums, gives
# every file the changelog's time and packs DIR into build-deb/ with xz.
pack() {
    local dir=$1 package=$2
    shift
    mkdir -p "$dir/DEBIAN"
    {
        printf 'Package: %s\nSource: plint\nVersion: %s\nArchitecture: %s\n' "$package" "$version" "$arch"
        printf 'Maintainer: %s\nInstalled-Size: %s\n' "$maintainer" "$(installed_size "$dir")"
        printf '%s\n' "${@:2}"
    } >"$dir/DEBIAN/control"
    (cd "$dir" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z |
        xargs -0 md5sum >DEBIAN/md5sums)
    chmod -R u=rwX,go=rX "$dir"
    find "$dir" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
    dpkg-deb --root-owner-group -Zxz --build "$dir" "$out/${package}_${version}_$arch.deb" >/dev/null
}

pack "$root" plint "Depends: $depends" "Section: games" "Priority: optional" \
    "Description: first-person maze game" \
    " Every run carves a new random maze to walk through, seen in a textured" \
    " ray-cast view with a minimap in the corner. Escape pauses the game under a" \
    " frosted overlay with the date, a clock and a two-button menu."
pack "$debug_root" plint-dbgsym "Depends: plint (= $version)" "Section: debug" \
    "Priority: optional" "Auto-Built-Package: debug-symbols" "Build-Ids: $build_id" \
    "Description: debug symbols for plint"
echo "build-deb: $(ls "$out"/*.deb | tr '\n' ' ')"
