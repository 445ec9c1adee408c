#include "app/DataFolder.h"
#include "app/Options.h"
#include "app/Startup.h"
#ifdef __EMSCRIPTEN__
#include "app/WebLoop.h"
#endif

#include <GL/freeglut.h>

#include <cstdio>

#ifndef GRIDLUME_VERSION
#define GRIDLUME_VERSION "unknown"
#endif

int main(int argc, char** argv) {
    // Our own options first: --help and --version need no display, and a mistyped option
    // should not open a window.
    const Options options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "gridlume: %s (try --help)\n", options.error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("gridlume %s\n", GRIDLUME_VERSION);
        return 0;
    }
    useDataFolder(options.dataFolder);
    startGame(options);
#ifdef __EMSCRIPTEN__
    runInBrowser();
#else
    glutMainLoop();
#endif
    return 0;
}
