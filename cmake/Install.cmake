# Installation layout and the Debian package.
#
# The game finds its pictures and sounds itself (the working folder, --data DIR, or
# ../share/gridlume beside its own executable), so it goes straight into bin and any prefix,
# DESTDIR staging or an unpacked package works without reconfiguring.
#
# Only the game and its data, its licence and the desktop integration are installed: test and
# benchmark executables have no install rules.

include(GNUInstallDirs)

set(GRIDLUME_DATA_DIR ${CMAKE_INSTALL_DATADIR}/gridlume)
set(GRIDLUME_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(GRIDLUME_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${GRIDLUME_PACKAGING_OUT})

install(TARGETS gridlume RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only the file types the game loads, so notes or sources left beside the art stay out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/img ${PROJECT_SOURCE_DIR}/sounds
        DESTINATION ${GRIDLUME_DATA_DIR}
        FILES_MATCHING PATTERN "*.jpg" PATTERN "*.png" PATTERN "*.wav")

# The licence (MIT, for the code and for the generated pictures and sounds), where Debian looks.
install(FILES ${GRIDLUME_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gridlume)

install(FILES ${GRIDLUME_PACKAGING_DIR}/gridlume.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GRIDLUME_PACKAGING_DIR}/io.github.gridlume.Gridlume.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 128 256)
    install(FILES ${GRIDLUME_PACKAGING_DIR}/icons/gridlume-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME gridlume.png)
endforeach()
install(FILES ${GRIDLUME_PACKAGING_DIR}/icons/gridlume.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants manual pages compressed with gzip -9n (no name or time stamp, so the result is
# reproducible). The page is compressed along with the game, so installing after building only
# the game target finds it; without gzip the plain page is installed.
find_program(GRIDLUME_GZIP gzip)
if(GRIDLUME_GZIP)
    add_custom_command(OUTPUT ${GRIDLUME_PACKAGING_OUT}/gridlume.6.gz
        COMMAND ${GRIDLUME_GZIP} -9 -n -c ${GRIDLUME_PACKAGING_DIR}/gridlume.6
                > ${GRIDLUME_PACKAGING_OUT}/gridlume.6.gz
        DEPENDS ${GRIDLUME_PACKAGING_DIR}/gridlume.6
        COMMENT "Compressing the manual page"
        VERBATIM)
    add_custom_target(gridlume_manpage DEPENDS ${GRIDLUME_PACKAGING_OUT}/gridlume.6.gz)
    add_dependencies(gridlume gridlume_manpage)
    install(FILES ${GRIDLUME_PACKAGING_OUT}/gridlume.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
    install(FILES ${GRIDLUME_PACKAGING_DIR}/gridlume.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

# Debian package: `cpack` or `cmake --build . --target package` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gridlume)
set(CPACK_PACKAGE_VENDOR "Gridlume developers")
set(CPACK_PACKAGE_CONTACT "Gridlume developers <maintainers@users.noreply.c-seed-ff73bd4e.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "action-puzzle game: keep a board lit with gears, bulbs and a chain")
# Line breaks are kept: the control file's long description is read as lines of at most 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Gridlume is a small single-player action-puzzle game. A motor drives a closed\n"
    "chain of links around a board of 100 squares whose light fades all the time.\n"
    "Drag the pieces that roll down the chute onto the board: the chain turns them,\n"
    "bulb pieces relight the squares around them and add-link pieces lengthen the\n"
    "chain. Keep the board's power up for four minutes to win.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
