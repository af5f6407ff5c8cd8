# 64-bit ARM (Debian arm64, Raspberry Pi OS 64-bit):
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/cross/aarch64-linux-gnu.cmake
#         -DPLINT_SYSROOT="$(packaging/sysroot.sh arm64 | tail -1)"
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(PLINT_TRIPLET aarch64-linux-gnu)
set(PLINT_MULTIARCH aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
