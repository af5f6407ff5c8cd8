#!/usr/bin/env bash
# Builds the Windows release with mingw-w64: SDL 1.2, zlib, libpng and SDL_image (PNG only)
# from pinned, SHA-256-checked source tarballs into a cache folder (once), then plint.exe and
# build-windows/plint-VERSION-windows-x86_64.zip.
#   PLINT_TARBALLS  folder of source tarballs (default: ~/.cache/plint/tarballs); any missing
#                   one is fetched from Debian's source packages, or copied from ../shared/deps
#   PLINT_WINDOWS_CACHE  where the dependencies are built (default: ~/.cache/plint/windows)
# With --dependencies it stops once they are built and prints their prefix as its last line.
set -eu
cd "$(dirname "$0")/../.."
root=$PWD
. scripts/common.sh
install_missing_packages "${WINDOWS_PACKAGES[@]}"

tarballs=${PLINT_TARBALLS:-$HOME/.cache/plint/tarballs}
cache=${PLINT_WINDOWS_CACHE:-$HOME/.cache/plint/windows}
host=x86_64-w64-mingw32
mkdir -p "$tarballs" "$cache"

# file  sha256  Debian source package=version (or "-" for the copy beside the repo)
deps=(
"libsdl1.2_1.2.15+dfsg2.orig.tar.gz ec4d5ea4714b92f840aafcf8c759cf7914827f632e19f42b18ba6f6489f0f5e9 libsdl1.2=1.2.15+dfsg2-8"
"zlib_1.2.13.dfsg.orig.tar.bz2 71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1 zlib=1:1.2.13.dfsg-1"
"libpng1.6_1.6.39.orig.tar.gz a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441 libpng1.6=1.6.39-2"
"SDL_image-1.2.12.tar.gz afa0c38edf84a0be5a0e847bae64610c5884e1732455967719b9ea3fda61f886 -"
)

# apt with a private deb-src list made from this machine's own entries; its configuration
# is left as it is.
fetch_debian() {
    local apt=$cache/apt
    if [ ! -d "$apt/lists" ]; then
        mkdir -p "$apt/parts" "$apt/lists/partial"
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -e "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
        done
        apt_private update >/dev/null
    fi
    # A security update replaces the pinned revision in the suite, but a new Debian revision
    # keeps the upstream tarball, and the checksum still says whether it is the same one.
    local source
    for source in "$1" "${1%%=*}"; do
        [ -f "$tarballs/$2" ] ||
            (cd "$tarballs" && apt_private source --download-only "$source" >/dev/null 2>&1) || true
    done
}
apt_private() {
    apt-get -o Dir::Etc::SourceParts="$cache/apt/parts" -o Dir::Etc::SourceList=/dev/null \
        -o Dir::State::Lists="$cache/apt/lists" "$@"
}

for line in "${deps[@]}"; do
    read -r file sum package <<<"$line"
    if [ ! -f "$tarballs/$file" ]; then
        if [ "$package" = - ]; then
            cp "$root/../shared/deps/$file" "$tarballs/" 2>/dev/null || true
        else
            fetch_debian "$package" "$file"
        fi
    fi
    [ -f "$tarballs/$file" ] || { echo "missing $tarballs/$file" >&2; exit 1; }
    echo "$sum  $tarballs/$file" | sha256sum -c --quiet - || exit 1
done

prefix=$cache/prefix
stamp=$prefix/.built-$(printf '%s\n' "${deps[@]}" | sha256sum | cut -c1-16)
if [ ! -f "$stamp" ]; then
    rm -rf "$cache/src" "$prefix"
    mkdir -p "$cache/src" "$prefix"
    unpack() { tar -xf "$tarballs/$1" -C "$cache/src" && cd "$cache/src/$2"*; }
    export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
    (unpack zlib_1.2.13.dfsg.orig.tar.bz2 zlib-1.2.13 &&
        make -f win32/Makefile.gcc PREFIX=$host- libz.a >/dev/null 2>&1 ||
        { for c in *.c; do [ "$c" = example.c ] || [ "$c" = minigzip.c ] || $host-gcc -O2 -c "$c"; done &&
          $host-ar rcs libz.a ./*.o; }
        install -D -m644 libz.a "$prefix/lib/libz.a" && install -D -t "$prefix/include" -m644 zlib.h zconf.h)
    (unpack libpng1.6_1.6.39.orig.tar.gz libpng-1.6.39 &&
        ./configure --host=$host --prefix="$prefix" --disable-shared >/dev/null && make -j2 install >/dev/null)
    (unpack libsdl1.2_1.2.15+dfsg2.orig.tar.gz SDL-1.2.15 &&
        ./configure --host=$host --prefix="$prefix" --disable-static >/dev/null && make -j2 install >/dev/null)
    (unpack SDL_image-1.2.12.tar.gz SDL_image &&
        ./configure --host=$host --prefix="$prefix" --disable-shared --with-sdl-prefix="$prefix" \
            --disable-jpg --disable-tif --disable-webp --disable-png-shared --disable-bmp \
            --disable-gif --disable-lbm --disable-pcx --disable-pnm --disable-tga --disable-xcf \
            --disable-xpm --disable-xv >/dev/null && make -j2 install >/dev/null)
    touch "$stamp"
fi
if [ "${1:-}" = --dependencies ]; then
    echo "$prefix"
    exit 0
fi

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64.cmake \
    -DPLINT_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DPLINT_BENCH=OFF \
    -DPLINT_TESTS="${PLINT_WINDOWS_TESTS:-OFF}" >/dev/null
cmake --build build-windows -j2
version=$(plint_version)
dist=build-windows/plint-$version-windows-x86_64
rm -rf "$dist" "$dist.zip" && mkdir -p "$dist/licences"
cp build-windows/plint.exe "$prefix/bin/SDL.dll" "$dist/"
$host-strip "$dist/plint.exe" "$dist/SDL.dll"
cp -r Media "$dist/" && find "$dist/Media" -type f ! -name '*.png' -delete
cp packaging/windows/README.txt "$dist/README.txt" && cp LICENSE "$dist/LICENSE.txt"
src=$cache/src
cp "$src"/SDL-1.2.15*/COPYING "$dist/licences/SDL-LGPL-2.1.txt"
cp "$src"/SDL_image*/COPYING "$dist/licences/SDL_image.txt"
cp "$src"/libpng-1.6.39/LICENSE "$dist/licences/libpng.txt"
cp "$src"/zlib-1.2.13*/LICENSE "$dist/licences/zlib.txt"
sed -i 's/$/\r/' "$dist"/*.txt "$dist"/licences/*.txt # Windows' line ends, for Notepad
name=$(basename "$dist")
(cd build-windows && zip -qr "$name.zip" "$name")
echo "$dist.zip"
