#include "app/Window.h"

#include <GL/freeglut.h>

bool windowSystemReady() {
    return glutGet(GLUT_INIT_STATE) != 0 && glutGetWindow() != 0;
}

void resizeWindow(int width, int height) {
    // On Windows freeglut reports the restored size of a window leaving full screen before it
    // counts the window as windowed, and a resize asked for while it still counts it full screen
    // leaves full screen once more: a toggle, so the window went straight back to full screen.
    // The restored window has the size it had before, which needs no correcting.
    if (windowSystemReady() && glutGet(GLUT_FULL_SCREEN) == 0) {
        glutReshapeWindow(width, height);
    }
}

int screenWidth() {
    return glutGet(GLUT_INIT_STATE) != 0 ? glutGet(GLUT_SCREEN_WIDTH) : 0;
}

int screenHeight() {
    return glutGet(GLUT_INIT_STATE) != 0 ? glutGet(GLUT_SCREEN_HEIGHT) : 0;
}

void enterFullScreen() {
    if (windowSystemReady()) {
        glutFullScreen();
    }
}

void leaveFullScreen(int width, int height) {
    if (windowSystemReady()) {
        glutLeaveFullScreen();
        glutReshapeWindow(width, height);
    }
}

void quitGame() {
    if (windowSystemReady()) {
        glutLeaveMainLoop(); // main tears down, in its own order, once the loop returns
    }
}
