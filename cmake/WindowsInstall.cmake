# What the Windows zip and installer hold, laid out as one folder: the game, its DLLs, the
# pictures and sounds beside it (where it looks for them first), the licences of everything
# shipped and a README.txt. tools/build-windows.sh installs it, strips the DLLs and packs it.

# A GUI program: no console window opens beside the game. Its log lines still go to standard
# output when that is redirected (gridlume.exe > log.txt).
set_target_properties(gridlume PROPERTIES WIN32_EXECUTABLE ON)
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
