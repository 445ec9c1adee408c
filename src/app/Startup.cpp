#include "app/Startup.h"

#include "app/Callbacks.h"
#include "app/Camera.h"
#include "app/GlSwitches.h"
#include "states/StartState.h"

#include <GL/freeglut.h>

void startGame(int* argc, char** argv) {
    glutInit(argc, argv);
    // Closing the window must end the process the way the quit keys do: through exit, so the
    // globals are destroyed and the sound device is closed.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Gridlume");

    camera.position.z = -50.0f;
    camera.perspective = false;
    activeCamera = &camera;

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutIdleFunc(onIdle);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);

    switchState(&startState);

    setFixedGlState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void setFixedGlState() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    initSwapControl();
    setCulling(false);
    setDepthTest(false, false);
    setSwapInterval(false);
    glEnable(GL_NORMALIZE);
}
