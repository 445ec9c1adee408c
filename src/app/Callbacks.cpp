#include "app/Callbacks.h"

#include "gfx/Camera.h"
#include "app/Choices.h"
#include "app/FrameClock.h"
#include "app/Pacing.h"
#include "app/Window.h"
#include "audio/SoundDevice.h"
#include "gfx/Hud.h"
#include "gfx/Sprite.h"
#include "gfx/TextureCache.h"
#include "play/LiveMode.h"
#include "app/Buttons.h"
#include "play/State.h"

#include <GL/freeglut.h>

namespace {
constexpr unsigned char escapeKey = 27;
constexpr unsigned char ctrlQKey = 17;

// The window's size before full screen, to go back to.
int windowedWidth = 800;
int windowedHeight = 600;

// What the last frame showed, so that a still screen is drawn again only when it may look
// different.
bool sceneChanged = true;
const State* drawnState = nullptr;
double lastFrameAt = 0.0;

bool quitting = false;

void markChanged() {
    sceneChanged = true;
}

// Every key, click and tap may change a setting the player wants kept.
void keepSettings() {
    settingsFile.keep(currentSettings());
}

// Black bars beside the picture in full screen; the picture's own area gets the game's grey.
void clearFrame() {
    const Camera* view = activeCamera;
    if (view != nullptr && view->letterbox) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        GLint box[4];
        glGetIntegerv(GL_VIEWPORT, box);
        glEnable(GL_SCISSOR_TEST);
        glScissor(box[0], box[1], box[2], box[3]);
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A window keeps the game's 4:3 shape, fitted to the screen: asks the window system for that
// size and gives it back. Full screen, the window is the screen and the camera letterboxes it.
void fitWindowToScreen(const Camera& view, int& width, int& height) {
    if (width < 1 || height < 1 || view.letterbox) {
        return; // minimised: the camera keeps everything as it was
    }
    int fittedWidth = width;
    int fittedHeight = height;
    fitFourByThree(width, screenWidth(), screenHeight(), fittedWidth, fittedHeight);
    resizeWindow(fittedWidth, fittedHeight);
    width = fittedWidth;
    height = fittedHeight;
}

// Drawn over every screen, after everything else.
void drawOverlay() {
    drawButtons();
    if (soundMuted()) {
        drawHud("./img/hud/muted.png", hud::mutedIcon);
    }
}

} // namespace

void requestQuit() {
    if (!quitting) {
        quitting = true;
        quitGame();
    }
}

bool quitRequested() {
    return quitting;
}

void toggleMute() {
    soundSetMuted(!soundMuted());
}

void toggleFullScreen() {
    if (activeCamera == nullptr) {
        return;
    }
    Camera& view = *activeCamera;
    if (!view.letterbox) {
        windowedWidth = view.width;
        windowedHeight = view.height;
        view.letterbox = true;
        enterFullScreen();
    } else {
        view.letterbox = false;
        view.left = 0;
        view.top = 0;
        leaveFullScreen(windowedWidth, windowedHeight);
    }
}

bool gameIsStill() {
    return currentState == nullptr || currentState->still();
}

void windowStatusChanged(int status) {
    // Out of sight (iconified, unmapped or covered) the game cannot be played: pause it. It
    // stays paused when it shows again, until the player resumes.
    if ((status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED) && currentState != nullptr) {
        currentState->windowHidden();
    }
}

bool isQuitKey(unsigned char key) {
    return key == escapeKey || key == ctrlQKey;
}

bool isQuitSpecial(int key, int modifiers) {
    return key == GLUT_KEY_F4 && (modifiers & GLUT_ACTIVE_ALT) != 0;
}

void onReshape(int width, int height) {
    markChanged();
    if (activeCamera != nullptr) {
        fitWindowToScreen(*activeCamera, width, height);
        activeCamera->reshape(width, height);
    }
}

void onDisplay() {
    clearFrame();
    glPushMatrix();
    if (currentState != nullptr) {
        currentState->draw();
    }
    glPopMatrix();
    drawOverlay();
    glutSwapBuffers();
    sceneChanged = false;
    drawnState = currentState;
    lastFrameAt = monotonicSeconds();
}

void idleStep(int nowMs) {
    tickFrameClock(nowMs);
    if (currentState != nullptr && !quitting) {
        currentState->update();
    }
}

bool idlePass() {
    idleStep(glutGet(GLUT_ELAPSED_TIME));
    const bool changed = sceneChanged || currentState != drawnState;
    return frameDue(pacingEnabled, gameIsStill(), changed, monotonicSeconds() - lastFrameAt);
}

void onIdle() {
    paceFrame(gameIsStill() ? stillFramesPerSecond : playFramesPerSecond);
    if (idlePass()) {
        glutPostRedisplay();
    }
}

void onMouse(int button, int state, int x, int y) {
    markChanged();
    if (quitting) {
        return;
    }
    if (buttonsTakeMouse(button, state, x, y)) {
        return; // each button acts through its key, which keeps the settings
    }
    if (currentState != nullptr) {
        currentState->mouse(button, state, x, y);
        if (currentState->quitting()) {
            requestQuit();
            return;
        }
    }
    keepSettings();
}

void onMotion(int x, int y) {
    markChanged();
    if (currentState != nullptr && !quitting) {
        currentState->motion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    markChanged();
    if (currentState != nullptr && !quitting) {
        currentState->passiveMotion(x, y);
    }
}

void onKeyboard(unsigned char key, int x, int y) {
    markChanged();
    if (quitting) {
        return;
    }
    if (isQuitKey(key)) {
        requestQuit();
        return;
    }
    if (key == 'm' || key == 'M') {
        toggleMute(); // on every screen; the key still reaches the state, which ignores it
    }
    if (currentState != nullptr) {
        currentState->keyboard(key, x, y);
    }
    keepSettings();
}

void onKeyboardUp(unsigned char key, int x, int y) {
    markChanged();
    if (currentState != nullptr && !quitting) {
        currentState->keyboardUp(key, x, y);
    }
}

void handleSpecial(int key, int modifiers, int x, int y) {
    if (quitting) {
        return;
    }
    if (isQuitSpecial(key, modifiers)) {
        requestQuit();
        return;
    }
    if (key == GLUT_KEY_F11) {
        toggleFullScreen();
    }
    if (currentState != nullptr) {
        currentState->special(key, x, y);
    }
}

void onSpecial(int key, int x, int y) {
    markChanged();
    handleSpecial(key, glutGetModifiers(), x, y);
    keepSettings();
}

void onWindowStatus(int status) {
    markChanged();
    windowStatusChanged(status);
}

void onClose() {
    quitting = true; // nothing more reaches the screens
    soundClose();
    textureCache.unloadAll();
}

void onSpecialUp(int key, int x, int y) {
    markChanged();
    if (currentState != nullptr && !quitting) {
        currentState->specialUp(key, x, y);
    }
}
