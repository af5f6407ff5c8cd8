#!/usr/bin/env bash
# The game on the other processors Debian and Raspberry Pi OS run it on: cross-built for arm64,
# armhf and i686 with Debian's cross compilers against Debian 12's own SDL (folders made by
# packaging/sysroot.sh, kept between runs), run under qemu-user with the frame-hash script and
# compared with platforms/expected-hashes.txt, the x86-64 build's frames and poses. i686 runs
# under qemu too: natively its loader and libraries would have to be installed on this machine.
#   PLINT_CROSS_DEPTHS  the depths to run under emulation (default: 32; all four take 4 times
#                       as long, and the x86-64 build runs them all in the unit tests)
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${CROSS_PACKAGES[@]}"

status=0
for target in "arm64 aarch64-linux-gnu qemu-aarch64" "armhf arm-linux-gnueabihf qemu-arm" \
    "i386 i686-linux-gnu qemu-i386"; do
    read -r arch triplet emulator <<<"$target"
    root=$(packaging/sysroot.sh "$arch" | tail -1)
    build=build-cross-$arch
    # Configured against another folder, the build keeps that folder's libraries in its cache.
    grep -q "^PLINT_SYSROOT:[A-Z]*=$root\$" "$build/CMakeCache.txt" 2>/dev/null || rm -rf "$build"
    # A build folder made before says the toolchain is not used: it is read only once.
    cmake --no-warn-unused-cli -S . -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="packaging/cross/$triplet.cmake" -DPLINT_SYSROOT="$root" \
        -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >/dev/null
    cmake --build "$build" -j2 --target plint >/dev/null
    "$triplet-g++" -std=c++17 -O2 -shared -fPIC -I"$root/usr/include/SDL" -D_GNU_SOURCE=1 \
        -D_REENTRANT -o "$build/frame_hashes.so" platforms/frame_hashes.cpp -ldl
    echo "== $arch, under $emulator =="
    PLINT_GAME=$build/plint PLINT_HASH_SHIM=$build/frame_hashes.so \
        PLINT_EMULATOR="$emulator -L $root" PLINT_DEPTHS="${PLINT_CROSS_DEPTHS:-32}" \
        platforms/frame-hashes.sh --check || status=1
done
exit $status
