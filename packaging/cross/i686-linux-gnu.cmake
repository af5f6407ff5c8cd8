# 32-bit x86 (Debian i386):
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/cross/i686-linux-gnu.cmake
#         -DPLINT_SYSROOT="$(packaging/sysroot.sh i386 | tail -1)"
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLINT_TRIPLET i686-linux-gnu)
set(PLINT_MULTIARCH i386-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
