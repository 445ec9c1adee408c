# The browser build (Emscripten): the same game code over Emscripten's GLUT, its legacy GL
# emulation and its OpenAL, with libsndfile from tools/web/deps.sh (GRIDLUME_WEB_DEPS). Included
# from the top-level file in place of the desktop's find_package calls; the imported targets keep
# the names the desktop build links, so the rest of the build files stay as they are.
set(GRIDLUME_WEB_DEPS "" CACHE PATH "The prefix tools/web/deps.sh built libsndfile into")
if(NOT EXISTS "${GRIDLUME_WEB_DEPS}/include/sndfile.h")
    message(FATAL_ERROR "GRIDLUME_WEB_DEPS must name the prefix tools/web/deps.sh prints")
endif()

# Emscripten's GLUT lacks freeglut's header: a stand-in includes its standard part.
add_library(GLUT::GLUT INTERFACE IMPORTED)
target_include_directories(GLUT::GLUT INTERFACE ${PROJECT_SOURCE_DIR}/web/include)
target_link_options(GLUT::GLUT INTERFACE -lglut)
# Fixed-function GL (glBegin, glOrtho, the matrix stack) emulated over WebGL.
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -lGL -sLEGACY_GL_EMULATION=1)
add_library(OpenGL::GLU INTERFACE IMPORTED)
add_library(PkgConfig::SNDFILE STATIC IMPORTED)
set_target_properties(PkgConfig::SNDFILE PROPERTIES
    IMPORTED_LOCATION ${GRIDLUME_WEB_DEPS}/lib/libsndfile.a
    INTERFACE_INCLUDE_DIRECTORIES ${GRIDLUME_WEB_DEPS}/include)
set(OPENAL_LIBRARY -lopenal)
set(OPENAL_INCLUDE_DIR "")
# Pictures through stb_image, whose header comes with Emscripten; textures go up as RGBA with
# the internal format equal to the format, which WebGL insists on.
set(GRIDLUME_PICTURES stb)
set(STB_IMAGE_INCLUDE_DIR ${EMSCRIPTEN_ROOT_PATH}/third_party)

# The page and the tests run under Node share this: memory grows as the game builds its chain.
add_link_options(-sALLOW_MEMORY_GROWTH=1)

# The tests that need no window run under Node (GRIDLUME_TESTS): GoogleTest from Debian's source
# package of it (libgtest-dev ships the source), compiled with the game.
if(GRIDLUME_TESTS)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    add_library(GTest::gtest ALIAS gtest)
endif()
