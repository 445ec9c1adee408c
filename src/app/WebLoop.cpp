#include "app/WebLoop.h"

#include "app/Callbacks.h"
#include "app/Pacing.h"
#include "app/Replays.h"

#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <string>

namespace {

// The browser's frame replaces both the idle callback and its wait: in play it comes when the
// page can show a picture, at the screen's refresh, and only as often as that. Every animation
// frame costs the browser a compositor pass even when nothing is drawn (7 % of a core in
// headless Chromium), so the still screens run on a timer instead, as often as the desktop's
// idle pass runs there, and draw only when their picture changes.
void frame() {
    if (idlePass()) {
        onDisplay();
    }
    static bool onTimer = false;
    if (gameIsStill() != onTimer) {
        onTimer = !onTimer;
        if (onTimer) {
            emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, int(1000 / stillFramesPerSecond));
        } else {
            emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
        }
    }
}

// A hidden tab gets no frames at all; a game left running there would jump ahead when it shows
// again, so it pauses like a desktop window that is hidden.
EM_BOOL visibilityChanged(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    onWindowStatus(event->hidden ? GLUT_HIDDEN : GLUT_VISIBLE);
    return EM_FALSE;
}

} // namespace

// The page's "Watch a file": it puts the chosen file into the game's file system and calls this
// to watch it in the canvas, as W watches the last game. A game in play is given up first and
// kept as quit, as closing the page keeps it. 1 when the replay plays; 0, with the reason on the
// console, when the file is refused.
extern "C" EMSCRIPTEN_KEEPALIVE int gridlume_watch(const char* path) {
    Replay replay;
    std::string why = "the game has ended";
    if (quitRequested() || !loadReplayFile(path, replay, why)) {
        std::printf("Couldn't watch the replay %s: %s\n", path, why.c_str());
        std::fflush(stdout);
        return 0;
    }
    recorder.quit();
    watchReplay(replay, false);
    return 1;
}

void runInBrowser() {
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    // No window system reports the canvas's first size, as a desktop one reports a new window's.
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    emscripten_run_script("if (Module.gridlumeStarted) Module.gridlumeStarted()");
    emscripten_set_main_loop(frame, 0, 1);
}
