# The page build-web/site/ holds: our own index.html, the game's .js and .wasm, and its pictures
# and sounds packed into one .data file the page downloads with a progress bar.
set(WEB_PAGE ${PROJECT_SOURCE_DIR}/web/index.html)
set(WEB_PRE ${PROJECT_SOURCE_DIR}/web/pre.js)
set_target_properties(gridlume PROPERTIES SUFFIX .js LINK_DEPENDS "${WEB_PRE}")
# Every byte of the code is downloaded before the splash shows: the game's code is compiled and
# linked for size (the desktop builds keep their flags). But not the chain's physics, the game's
# hot loop: emcc turns inlining off wherever -Oz appears on a command line, and replays then took
# nine times as long to check under Node; so -Oz goes on the other files one by one.
get_target_property(WEB_SMALL_SOURCES gridlume_core SOURCES)
list(FILTER WEB_SMALL_SOURCES EXCLUDE REGEX "/src/physics/")
set_source_files_properties(${WEB_SMALL_SOURCES} PROPERTIES COMPILE_OPTIONS -Oz)
target_link_options(gridlume PRIVATE -Oz)
# Closure Compiler shrinks the runtime's JavaScript by a third (tools/web/closure.sh installs it);
# without it the page is the same, only larger.
set(GRIDLUME_WEB_CLOSURE "" CACHE FILEPATH "Closure Compiler's command (tools/web/closure.sh)")
if(GRIDLUME_WEB_CLOSURE)
    target_link_options(gridlume PRIVATE "SHELL:--closure 1")
    set_target_properties(gridlume PROPERTIES CXX_LINKER_LAUNCHER
        "${CMAKE_COMMAND};-E;env;EM_CLOSURE_COMPILER=${GRIDLUME_WEB_CLOSURE}")
endif()
target_link_options(gridlume PRIVATE
    -sENVIRONMENT=web
    # The records live in the browser's IndexedDB, mounted by the pre-js before main runs.
    -lidbfs.js --pre-js ${WEB_PRE}
    # The page's replay controls call the game through ccall (web/pre.js).
    -sEXPORTED_RUNTIME_METHODS=ccall
    "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/img@/img"
    "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/sounds@/sounds")
set(WEB_SITE ${PROJECT_BINARY_DIR}/site)
add_custom_command(TARGET gridlume POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_SITE}
    COMMAND ${CMAKE_COMMAND} -E copy ${WEB_PAGE} $<TARGET_FILE:gridlume>
            $<TARGET_FILE_DIR:gridlume>/gridlume.wasm $<TARGET_FILE_DIR:gridlume>/gridlume.data
            ${WEB_SITE}/
    VERBATIM)
# The page alone changes without a relink.
add_custom_target(web_page ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${WEB_PAGE} ${WEB_SITE}/index.html
    DEPENDS gridlume VERBATIM)
