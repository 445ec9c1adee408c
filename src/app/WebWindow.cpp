// The window-system calls of app/Window.h in a browser. The canvas keeps its 800 by 600 drawing
// buffer and the page scales it to the window at 4:3, so the game never resizes it; full screen
// is the browser's, asked of the page.
#include "app/Window.h"

#include "audio/SoundDevice.h"
#include "gfx/GlContext.h"

#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

bool windowSystemReady() {
    return hasCurrentGlContext();
}

void resizeWindow(int, int) {}

int screenWidth() {
    return 0;
}

int screenHeight() {
    return 0;
}

// The browser may leave full screen by itself (its own Esc), so the page toggles whatever state
// it is in rather than trusting the game's idea of it.
void enterFullScreen() {
    emscripten_run_script("if (Module.gridlumeToggleFullScreen) Module.gridlumeToggleFullScreen()");
}

void leaveFullScreen(int, int) {
    enterFullScreen();
}

void quitGame() {
    emscripten_cancel_main_loop();
    // GLUT's page listeners stay; with no callbacks they reach nothing.
    glutDisplayFunc(nullptr);
    glutMouseFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutSpecialUpFunc(nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, nullptr);
    soundClose();
    emscripten_run_script("if (Module.gridlumeQuit) Module.gridlumeQuit()");
}
