#include "app/WebLoop.h"

#include "app/Callbacks.h"
#include "app/Pacing.h"

#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

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

void runInBrowser() {
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    // No window system reports the canvas's first size, as a desktop one reports a new window's.
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    emscripten_run_script("if (Module.gridlumeStarted) Module.gridlumeStarted()");
    emscripten_set_main_loop(frame, 0, 1);
}
