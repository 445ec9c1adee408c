#include "support/GlWindow.h"

#include "gfx/Camera.h"

#include <GL/freeglut.h>

void ensureGlWindow() {
    static bool ready = false;
    if (ready) {
        return;
    }
    int argc = 1;
    char name[] = "gridlume-gltests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Gridlume tests");
    camera.position.z = -50.0f;
    camera.perspective = false;
    activeCamera = &camera;
    camera.reshape(800, 600);
    ready = true;
}
