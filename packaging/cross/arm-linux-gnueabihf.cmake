# 32-bit ARM with hardware floating point (Debian armhf, Raspberry Pi OS 32-bit):
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/cross/arm-linux-gnueabihf.cmake
#         -DPLINT_SYSROOT="$(packaging/sysroot.sh armhf | tail -1)"
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(PLINT_TRIPLET arm-linux-gnueabihf)
set(PLINT_MULTIARCH arm-linux-gnueabihf)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
