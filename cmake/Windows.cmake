# The Windows build (cmake --preset windows): programs land in bin/ beside the DLLs they need, so
# the game and the tests run from the build folder as they are, and the C and C++ runtimes are
# linked in rather than shipped as three more DLLs.
# The dependency prefix is a root of its own: the toolchain looks for libraries and headers only
# under its roots.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_link_options(-static-libgcc -static-libstdc++)
# The game's icon, version information and manifest are a resource script (WindowsInstall.cmake).
enable_language(RC)

# The dependency prefix's DLLs (tools/windows-deps.sh) and the POSIX threads runtime of the
# -posix compilers, which the C++ runtime calls.
file(GLOB GRIDLUME_WINDOWS_DLLS ${CMAKE_PREFIX_PATH}/bin/*.dll)
find_file(GRIDLUME_WINPTHREAD libwinpthread-1.dll
          PATHS /usr/${GRIDLUME_MINGW}/lib /usr/lib/gcc/${GRIDLUME_MINGW}/12-posix
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT GRIDLUME_WINDOWS_DLLS OR NOT GRIDLUME_WINPTHREAD)
    message(FATAL_ERROR "No DLLs in CMAKE_PREFIX_PATH/bin or no libwinpthread-1.dll: "
                        "run tools/windows-deps.sh and pass its prefix (tools/build-windows.sh)")
endif()
list(APPEND GRIDLUME_WINDOWS_DLLS ${GRIDLUME_WINPTHREAD})
file(COPY ${GRIDLUME_WINDOWS_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
