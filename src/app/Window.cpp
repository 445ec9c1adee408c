#include "app/Window.h"

#include <GL/freeglut.h>

#include <cstdlib>

bool windowSystemReady() {
    return glutGet(GLUT_INIT_STATE) != 0 && glutGetWindow() != 0;
}

void resizeWindow(int width, int height) {
    if (windowSystemReady()) {
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
    std::exit(0);
}
