# The Windows build's tests, run under Wine (tools/wine.sh, the preset's emulator): the unit
# tests that need no window, cross-built, and the end-to-end run of the zip and the installer
# that tools/build-windows.sh makes. GoogleTest is built here for the target from the sources
# Debian's libgtest-dev ships.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The same window-less tests as on Linux, but for these, each with the reason it cannot run here.
file(GLOB_RECURSE WINDOWS_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
set(NOT_UNDER_WINE
    # DevIL, which the Windows build does not use: its pictures go through stb_image.
    gfx/art_files_test gfx/pictures_test
    # POSIX processes, signals and settings (fork, alarm, setenv): the games ending at once that
    # must not tear the records file, the stalled frame's watchdog, the monkey's time limit (its
    # whole games would also take minutes under Wine).
    app/records_test reliability/stalled_frame_test reliability/monkey_test
    # The heap in use, read through glibc's mallinfo2: the screens' replay must not grow it.
    states/screens_test
    # The sound tests and the play rules' pause case make their test tones in POSIX scratch
    # folders (mkdtemp) and choose OpenAL Soft's driver with setenv; the Windows sound is heard
    # through the wave writer in wine_e2e.
    audio/SoundBank_test audio/SoundDevice_test audio/SoundOutput_test play/live_rules_test
    # The wave files against their PCM originals, which it makes afresh with art/sounds.sh (sox,
    # a POSIX shell) in such a scratch folder.
    audio/SoundFiles_test)
foreach(name ${NOT_UNDER_WINE})
    list(FILTER WINDOWS_TESTS EXCLUDE REGEX ".*/${name}\\.cpp$")
endforeach()
add_executable(gridlume_windows_tests ${WINDOWS_TESTS} support/test_main.cpp
    support/PointerInput.cpp support/MonkeyInvariants.cpp)
target_include_directories(gridlume_windows_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(gridlume_windows_tests PRIVATE
    GRIDLUME_SOURCE_DIR="${PROJECT_SOURCE_DIR}" GRIDLUME_BINARY_DIR="${PROJECT_BINARY_DIR}")
target_link_libraries(gridlume_windows_tests PRIVATE gridlume_core gtest gridlume_warnings)
set_target_properties(gridlume_windows_tests PROPERTIES UNITY_BUILD ON)
add_test(NAME wine_logic COMMAND gridlume_windows_tests)
set_tests_properties(wine_logic PROPERTIES ENVIRONMENT "ALSOFT_DRIVERS=null")

# Every sound at once through OpenAL's wave writer (audio/mix_peak_test); Wine takes the Unix paths.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/mix-peak.conf
     "[general]\ndrivers=wave\nchannels=stereo\nsample-type=float32\nfrequency=44100\n"
     "[wave]\nfile=${CMAKE_CURRENT_BINARY_DIR}/mix-peak.wav\n")
add_test(NAME wine_mix_peak COMMAND gridlume_windows_tests --gtest_filter=MixPeak.*)
set_tests_properties(wine_mix_peak PROPERTIES RESOURCE_LOCK wineprefix ENVIRONMENT
    "ALSOFT_DRIVERS=wave;ALSOFT_CONF=${CMAKE_CURRENT_BINARY_DIR}/mix-peak.conf;GRIDLUME_MIX_RECORDING=${CMAKE_CURRENT_BINARY_DIR}/mix-peak.wav")

set(GRIDLUME_RELEASE ${PROJECT_BINARY_DIR}/gridlume-${PROJECT_VERSION})
add_test(NAME wine_e2e COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine_e2e.sh
         ${GRIDLUME_RELEASE}-windows-x64.zip ${GRIDLUME_RELEASE}-setup.exe ${PROJECT_SOURCE_DIR})
# One Wine session at a time: a session keeps the display (or none) it started with.
set_tests_properties(wine_logic wine_e2e PROPERTIES RESOURCE_LOCK wineprefix)
set_tests_properties(wine_e2e PROPERTIES TIMEOUT 300 LABELS e2e)
