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
#include "app/Replays.h"
#include "states/EndState.h"
#include "play/State.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <memory>

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
bool playback = false; // a replay is playing: nothing is saved and the window stays as it is

// Watching a replay in the window: the recording's picture is mapped through its own camera,
// while the window's camera draws.
std::unique_ptr<ReplayPlayback> watching;
Camera watchView;
Camera* windowCamera = nullptr;
int watchSpeed = 1;
bool watchPaused = false;
bool watchQuitAtEnd = false;
int watchLastMs = 0;
double watchAheadMs = 0.0; // window time owed to the replay, times the speed

void markChanged() {
    sceneChanged = true;
}

// Every key, click and tap may change a setting the player wants kept.
void keepSettings() {
    if (!playback) {
        settingsFile.keep(currentSettings());
    }
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
    // A paused replay says so where a paused game does, and the sign's keys are the same.
    if (watching != nullptr && watchPaused) {
        drawPlate(hud::titlePlate, hud::titleBarColor);
        drawHud("./img/hud/paused.png", hud::pausedBanner);
    }
    drawButtons();
    if (soundMuted()) {
        drawHud("./img/hud/muted.png", hud::mutedIcon);
    }
}

} // namespace

// P pauses the replay, F or the right arrow cycles 1x, 2x, 4x, 8x, Esc stops it.
static void watchKey(unsigned char key, int special) {
    if (key == 'p' || key == 'P' || key == ' ') {
        watchPaused = !watchPaused;
    } else if (key == 'f' || key == 'F' || special == GLUT_KEY_RIGHT) {
        watchSpeed = watchSpeed >= 8 ? 1 : watchSpeed * 2;
    } else if (key == 'm' || key == 'M') {
        toggleMute();
    } else if (isQuitKey(key)) {
        const bool quit = watchQuitAtEnd;
        // Left in play, the watched game would go on live from the window's clock, minutes
        // ahead of the recording's, and be counted: it ends where it stands, counting nowhere.
        if (currentState == &liveMode) {
            liveMode.finishGame(liveMode.won);
        }
        stopWatching();
        if (quit) {
            requestQuit();
        }
    }
}

// The recorded frames due by now at the chosen speed: each plays through the game with the
// recording's camera mapping its pointer.
static void watchFrames(int windowMs) {
    const int elapsed = windowMs - watchLastMs;
    watchLastMs = windowMs;
    if (watchPaused) {
        return;
    }
    watchAheadMs += static_cast<double>(elapsed) * watchSpeed;
    const auto frameLimit = 100; // a stalled window does not run the whole game at once
    for (int i = 0; i < frameLimit && watchAheadMs >= 0.0; ++i) {
        const int before = watching->playedMs();
        activeCamera = &watchView;
        const bool more = watching->step();
        activeCamera = windowCamera;
        if (!more) {
            watching->end(); // the game's own end screen stays, as the recording ended
            watching.reset();
            markChanged();
            return;
        }
        watchAheadMs -= watching->playedMs() - before;
    }
}

void requestQuit() {
    if (playback) {
        return; // a recorded quit ends the replay, not the program
    }
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
        if (!playback) {
            enterFullScreen();
        }
    } else {
        view.letterbox = false;
        view.left = 0;
        view.top = 0;
        if (!playback) {
            leaveFullScreen(windowedWidth, windowedHeight);
        }
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

void handleReshape(int width, int height) {
    if (activeCamera == nullptr) {
        return;
    }
    if (playback) {
        activeCamera->fit(width, height); // the recorded picture; the window stays as it is
        return;
    }
    fitWindowToScreen(*activeCamera, width, height);
    // Recorded as fitted, so a replay needs no screen; a size below one pixel is a minimised
    // window, whatever its number: kept as 0.
    recorder.event(Replay::Kind::reshape, 0, 0, std::max(0, width), std::max(0, height));
    activeCamera->reshape(width, height);
    if (width >= 1 && height >= 1) {
        recorder.picture(width, height); // a minimised window left the picture as it was
    }
}

void onReshape(int width, int height) {
    markChanged();
    if (watching != nullptr && activeCamera != nullptr) {
        // The viewer's own window: the game's picture is the recording's.
        fitWindowToScreen(*activeCamera, width, height);
        activeCamera->reshape(width, height);
        return;
    }
    handleReshape(width, height);
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
    if (watching != nullptr) {
        watchFrames(glutGet(GLUT_ELAPSED_TIME));
        return true;
    }
    idleStep(glutGet(GLUT_ELAPSED_TIME));
    recorder.afterFrame();
    if (endState.watchAsked) {
        endState.watchAsked = false;
        Replay last;
        if (recorder.lastGame(last)) {
            watchReplay(last, false);
        }
    }
    const bool changed = sceneChanged || currentState != drawnState;
    return frameDue(pacingEnabled, gameIsStill(), changed, monotonicSeconds() - lastFrameAt);
}

void onIdle() {
    paceFrame(gameIsStill() && watching == nullptr ? stillFramesPerSecond : playFramesPerSecond);
    if (idlePass()) {
        glutPostRedisplay();
    }
}

void handleMouse(int button, int state, int x, int y) {
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

void onMouse(int button, int state, int x, int y) {
    markChanged();
    if (watching != nullptr) {
        return; // a replay plays the recorded pointer
    }
    recorder.event(Replay::Kind::mouse, button, state, x, y);
    handleMouse(button, state, x, y);
    recorder.afterInput();
}

void handleMotion(int x, int y) {
    if (currentState != nullptr && !quitting) {
        currentState->motion(x, y);
    }
}

void onMotion(int x, int y) {
    markChanged();
    if (watching == nullptr) {
        recorder.event(Replay::Kind::motion, 0, 0, x, y);
        handleMotion(x, y);
    }
}

void handlePassiveMotion(int x, int y) {
    if (currentState != nullptr && !quitting) {
        currentState->passiveMotion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    markChanged();
    if (watching == nullptr) {
        recorder.event(Replay::Kind::passiveMotion, 0, 0, x, y);
        handlePassiveMotion(x, y);
    }
}

void handleKeyboard(unsigned char key, int x, int y) {
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

void onKeyboard(unsigned char key, int x, int y) {
    markChanged();
    if (watching != nullptr) {
        watchKey(key, 0);
        return;
    }
    recorder.event(Replay::Kind::keyboard, key, windowSystemReady() ? glutGetModifiers() : 0, x, y);
    handleKeyboard(key, x, y);
    recorder.afterInput();
}

void handleKeyboardUp(unsigned char key, int x, int y) {
    if (currentState != nullptr && !quitting) {
        currentState->keyboardUp(key, x, y);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    markChanged();
    if (watching == nullptr) {
        recorder.event(Replay::Kind::keyboardUp, key, 0, x, y);
        handleKeyboardUp(key, x, y);
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
    onSpecialWith(key, glutGetModifiers(), x, y);
}

void onSpecialWith(int key, int modifiers, int x, int y) {
    markChanged();
    if (watching != nullptr) {
        watchKey(0, key);
        return;
    }
    recorder.event(Replay::Kind::special, key, modifiers, x, y);
    handleSpecial(key, modifiers, x, y);
    keepSettings();
    recorder.afterInput();
}

void onWindowStatus(int status) {
    markChanged();
    if (watching != nullptr) {
        // Out of sight the replay waits; the game it plays only pauses where its player did.
        watchPaused = watchPaused || status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED;
        return;
    }
    recorder.event(Replay::Kind::windowStatus, status, 0, 0, 0);
    windowStatusChanged(status);
}

void onClose() {
    recorder.quit();
    stopWatching();
    quitting = true; // nothing more reaches the screens
    soundClose();
    textureCache.unloadAll();
}

void handleSpecialUp(int key, int x, int y) {
    if (currentState != nullptr && !quitting) {
        currentState->specialUp(key, x, y);
    }
}

void onSpecialUp(int key, int x, int y) {
    markChanged();
    if (watching == nullptr) {
        recorder.event(Replay::Kind::specialUp, key, 0, x, y);
        handleSpecialUp(key, x, y);
    }
}

void playEvent(const Replay::Event& e) {
    switch (e.kind) {
    case Replay::Kind::mouse:
        handleMouse(e.a, e.b, e.x, e.y);
        break;
    case Replay::Kind::motion:
        handleMotion(e.x, e.y);
        break;
    case Replay::Kind::passiveMotion:
        handlePassiveMotion(e.x, e.y);
        break;
    case Replay::Kind::keyboard:
        handleKeyboard(static_cast<unsigned char>(e.a), e.x, e.y);
        break;
    case Replay::Kind::keyboardUp:
        handleKeyboardUp(static_cast<unsigned char>(e.a), e.x, e.y);
        break;
    case Replay::Kind::special:
        handleSpecial(e.a, e.b, e.x, e.y);
        break;
    case Replay::Kind::specialUp:
        handleSpecialUp(e.a, e.x, e.y);
        break;
    case Replay::Kind::reshape:
        handleReshape(e.x, e.y);
        break;
    case Replay::Kind::windowStatus:
        windowStatusChanged(e.a);
        break;
    }
}

void setPlayingBack(bool on) {
    playback = on;
}

bool playingBack() {
    return playback;
}

void watchReplay(const Replay& replay, bool quitAtEnd) {
    stopWatching();
    windowCamera = activeCamera;
    watching = std::make_unique<ReplayPlayback>(replay);
    watchView = Camera();
    activeCamera = &watchView;
    watching->begin(); // fits the recording's picture into watchView
    activeCamera = windowCamera;
    watchSpeed = 1;
    watchPaused = false;
    watchQuitAtEnd = quitAtEnd;
    watchLastMs = windowSystemReady() ? glutGet(GLUT_ELAPSED_TIME) : 0;
    watchAheadMs = 0.0;
    markChanged();
    std::printf("Watching a replay\n");
    std::fflush(stdout);
}

void stopWatching() {
    if (watching == nullptr) {
        return;
    }
    watching.reset(); // gives the shell back what it had
    activeCamera = windowCamera != nullptr ? windowCamera : activeCamera;
    markChanged();
}

bool isWatching() {
    return watching != nullptr;
}
