# Read by cpack for each package it builds (CPACK_PROJECT_CONFIG_FILE). For the Debian
# package it fills in Depends: dpkg-shlibdeps names the C and C++ runtime as the binary
# needs them, and the two SDL libraries are given by hand, so that either implementation of
# SDL 1.2 (the classic library or the compatibility one over SDL 2) satisfies them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
# Debian puts games under /usr/games, and that is chosen when the build is configured.
if(NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr" OR NOT CPACK_PLINT_BINDIR STREQUAL "games")
    message(FATAL_ERROR "A Debian package needs a build configured with "
        "-DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games")
endif()

set(sdl "libsdl1.2debian (>= 1.2.15) | libsdl1.2-compat, libsdl-image1.2 (>= 1.2.10)")
set(scratch "${CPACK_PACKAGE_DIRECTORY}/shlibdeps")
file(MAKE_DIRECTORY "${scratch}/debian")
file(WRITE "${scratch}/debian/control" "") # dpkg-shlibdeps reads it, and needs nothing in it
execute_process(
    COMMAND dpkg-shlibdeps -O -xlibsdl1.2debian -xlibsdl-image1.2 "${CPACK_PLINT_BINARY}"
    WORKING_DIRECTORY "${scratch}" OUTPUT_VARIABLE found ERROR_QUIET RESULT_VARIABLE failed
    OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed)
    message(FATAL_ERROR "dpkg-shlibdeps (package dpkg-dev) could not read ${CPACK_PLINT_BINARY}")
endif()
file(REMOVE_RECURSE "${scratch}")
string(REGEX REPLACE "^shlibs:Depends=" "" found "${found}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${sdl}, ${found}")
