# What the three cross toolchains beside this file share: Debian's cross compiler for
# PLINT_TRIPLET, and the SDL libraries, headers and .pc files of a folder made by
# packaging/sysroot.sh (PLINT_SYSROOT, given with -D or in the environment). The compiler keeps
# its own C library and C++ runtime, Debian 12's as well; the folder adds SDL and what SDL loads.
set(CMAKE_SYSTEM_NAME Linux)
# Clang may be given instead: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_TARGET=TRIPLET.
if(NOT CMAKE_CXX_COMPILER)
    set(CMAKE_CXX_COMPILER ${PLINT_TRIPLET}-g++)
endif()
if(NOT PLINT_SYSROOT)
    set(PLINT_SYSROOT $ENV{PLINT_SYSROOT})
endif()
if(NOT IS_DIRECTORY "${PLINT_SYSROOT}/usr/lib/${PLINT_MULTIARCH}")
    message(FATAL_ERROR "PLINT_SYSROOT: no folder made by packaging/sysroot.sh for ${PLINT_MULTIARCH}")
endif()
# Passed on to the compiler checks, which read this file again.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLINT_SYSROOT)

set(CMAKE_FIND_ROOT_PATH ${PLINT_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "${PLINT_SYSROOT}/usr/lib/${PLINT_MULTIARCH}/pkgconfig:${PLINT_SYSROOT}/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${PLINT_SYSROOT})

# No run path into the folder, even in the build tree: qemu-user would follow it on this
# machine whatever root it was given, and on the target it means nothing.
set(CMAKE_SKIP_BUILD_RPATH ON)

# SDL's own libraries (ALSA, PulseAudio, X11, ...) are only in the folder; the linker reads
# them to check that nothing is left undefined.
foreach(dir lib/${PLINT_MULTIARCH} usr/lib/${PLINT_MULTIARCH} usr/lib/${PLINT_MULTIARCH}/pulseaudio)
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${PLINT_SYSROOT}/${dir}")
endforeach()
