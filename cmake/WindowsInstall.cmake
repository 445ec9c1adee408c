# What the Windows zip and installer hold, laid out as one folder: the game, its DLLs, the
# pictures and sounds beside it (where it looks for them first), the licences of everything
# shipped and a README.txt. tools/build-windows.sh installs it, strips the DLLs and packs it.

# A GUI program: no console window opens beside the game. Its log lines still go to standard
# output when that is redirected (gridlume.exe > log.txt).
set_target_properties(gridlume PROPERTIES WIN32_EXECUTABLE ON)

# The exe's icon, version information and manifest, compiled in by windres.
set(GRIDLUME_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/gridlume.ico)
set(GRIDLUME_MANIFEST ${PROJECT_BINARY_DIR}/gridlume.exe.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/gridlume.manifest.in ${GRIDLUME_MANIFEST}
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/gridlume.rc.in
               ${PROJECT_BINARY_DIR}/gridlume.rc @ONLY)
target_sources(gridlume PRIVATE ${PROJECT_BINARY_DIR}/gridlume.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/gridlume.rc PROPERTIES
                            OBJECT_DEPENDS "${GRIDLUME_ICON};${GRIDLUME_MANIFEST}")
install(TARGETS gridlume RUNTIME DESTINATION .)
install(FILES ${GRIDLUME_WINDOWS_DLLS} DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/img ${PROJECT_SOURCE_DIR}/sounds DESTINATION .
        FILES_MATCHING PATTERN "*.jpg" PATTERN "*.png" PATTERN "*.wav")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licences RENAME gridlume.txt)
install(DIRECTORY ${CMAKE_PREFIX_PATH}/licences/ DESTINATION licences)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in
               ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
# libwinpthread-1.dll: Debian's record of the mingw-w64 licences (winpthreads: expat).
install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION licences
        RENAME mingw-w64-winpthreads.txt)
