#include "app/DataFolder.h"
#include "app/Callbacks.h"
#include "app/Options.h"
#include "app/Replays.h"
#include "app/Startup.h"
#include "platform/Platform.h"
#ifdef __EMSCRIPTEN__
#include "app/WebLoop.h"
#endif

#include <GL/freeglut.h>

#ifndef GRIDLUME_VERSION
#define GRIDLUME_VERSION "unknown"
#endif

int main(int argc, char** argv) {
    // Our own options first: --help and --version need no display, and a mistyped option
    // should not open a window.
    const Options options = parseOptions(argc, argv);
    // On Windows these show in a message box when the game was not started from a console.
    using platform::Notice;
    if (!options.error.empty()) {
        platform::tellPlayer(Notice::error, "gridlume: " + options.error + " (try --help)\n");
        return 2;
    }
    if (options.help) {
        platform::tellPlayer(Notice::information, usageText());
        return 0;
    }
    if (options.version) {
        platform::tellPlayer(Notice::information, "gridlume " GRIDLUME_VERSION "\n");
        return 0;
    }
    // A replay is read before the data folder becomes the working folder, so that its name is
    // the one the player gave, and before any window opens for it.
    const std::string& replayFile =
        options.verifyReplay.empty() ? options.replay : options.verifyReplay;
    Replay replay;
    std::string why;
    if (!replayFile.empty() && !loadReplayFile(replayFile, replay, why)) {
        platform::tellPlayer(Notice::error, "gridlume: " + replayFile + ": " + why + "\n");
        return 2;
    }
    useDataFolder(options.dataFolder);
    if (!options.verifyReplay.empty()) {
        return verifyReplay(replay); // no window: as fast as it can
    }
    recorder.programVersion = GRIDLUME_VERSION;
    if (!startGame(options)) {
        return 1;
    }
    if (!options.replay.empty()) {
        watchReplay(replay, true);
    }
#ifdef __EMSCRIPTEN__
    runInBrowser();
#else
    // Returns once the game is quit or its window closed. On the way out the window's close
    // callback has closed the sound and given the textures back, in that order, and freeglut has
    // destroyed the window; the globals that remain hold only memory.
    glutMainLoop();
#endif
    return 0;
}
