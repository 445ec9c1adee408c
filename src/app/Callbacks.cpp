#include "app/Callbacks.h"

#include "app/Camera.h"
#include "app/FrameClock.h"
#include "states/State.h"

#include <GL/freeglut.h>

#include <cstdlib>

namespace {
constexpr unsigned char escapeKey = 27;
constexpr unsigned char ctrlQKey = 17;
} // namespace

bool isQuitKey(unsigned char key) {
    return key == escapeKey || key == ctrlQKey;
}

bool isQuitSpecial(int key, int modifiers) {
    return key == GLUT_KEY_F4 && (modifiers & GLUT_ACTIVE_ALT) != 0;
}

void onReshape(int width, int height) {
    if (activeCamera != nullptr) {
        activeCamera->reshape(width, height);
    }
}

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (currentState != nullptr) {
        currentState->draw();
    }
    glPopMatrix();
    glutSwapBuffers();
}

void idleStep(int nowMs) {
    advanceFrameClock(nowMs);
    if (currentState != nullptr) {
        currentState->update();
    }
}

void onIdle() {
    idleStep(glutGet(GLUT_ELAPSED_TIME));
    glutPostRedisplay();
}

void onMouse(int button, int state, int x, int y) {
    if (currentState != nullptr) {
        currentState->mouse(button, state, x, y);
    }
}

void onMotion(int x, int y) {
    if (currentState != nullptr) {
        currentState->motion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    if (currentState != nullptr) {
        currentState->passiveMotion(x, y);
    }
}

void onKeyboard(unsigned char key, int x, int y) {
    if (isQuitKey(key)) {
        std::exit(0);
    }
    if (currentState != nullptr) {
        currentState->keyboard(key, x, y);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    if (currentState != nullptr) {
        currentState->keyboardUp(key, x, y);
    }
}

void handleSpecial(int key, int modifiers, int x, int y) {
    if (isQuitSpecial(key, modifiers)) {
        std::exit(0);
    }
    if (currentState != nullptr) {
        currentState->special(key, x, y);
    }
}

void onSpecial(int key, int x, int y) {
    handleSpecial(key, glutGetModifiers(), x, y);
}

void onSpecialUp(int key, int x, int y) {
    if (currentState != nullptr) {
        currentState->specialUp(key, x, y);
    }
}
