#include "app/Window.h"

#include <GL/freeglut.h>

bool windowSystemReady() {
    return glutGet(GLUT_INIT_STATE) != 0 && glutGetWindow() != 0;
}

void resizeWindow(int width, int height) {
    if (windowSystemReady()) {
        glutReshapeWindow(width, height);
    }
}
