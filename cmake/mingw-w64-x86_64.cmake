# Cross-building for 64-bit Windows with Debian's mingw-w64. The -posix compilers are the ones
# with std::thread, std::mutex and clock_nanosleep (winpthreads); the win32 ones lack them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GRIDLUME_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${GRIDLUME_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRIDLUME_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${GRIDLUME_MINGW}-windres)
set(CMAKE_STRIP ${GRIDLUME_MINGW}-strip)

# Libraries and headers come from the mingw sysroot and the dependency prefix (CMAKE_PREFIX_PATH),
# never from the build machine's own /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${GRIDLUME_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must not hand out the build machine's libraries: only the dependency prefix's .pc
# files count (pkg_check_modules adds CMAKE_PREFIX_PATH to its search path).
set(ENV{PKG_CONFIG_LIBDIR} /usr/${GRIDLUME_MINGW}/lib/pkgconfig)
