# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (x86_64-w64-mingw32).
# PLINT_WINDOWS_PREFIX: the folder packaging/windows/build-windows.sh built SDL, SDL_image, libpng and zlib into.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${PLINT_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# CMake reads this file again for each trial compile, without the cache: the prefix is handed
# on to those, or the last reading would point pkg-config at /lib/pkgconfig.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLINT_WINDOWS_PREFIX)
if(PLINT_WINDOWS_PREFIX)
    set(ENV{PKG_CONFIG_LIBDIR} ${PLINT_WINDOWS_PREFIX}/lib/pkgconfig)
    set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
