#pragma once

// The ten GLUT callbacks. Each forwards to the current state (reshapes go to the camera).
void onReshape(int width, int height);
void onDisplay();
void onIdle();
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
void onPassiveMotion(int x, int y);
void onKeyboard(unsigned char key, int x, int y);
void onKeyboardUp(unsigned char key, int x, int y);
void onSpecial(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
// One more, beyond the ten: the window shown, hidden or covered.
void onWindowStatus(int status);
// And the window's end, however it comes (quitting, or the player closing it): the sound goes
// first, then the textures while their context is still there; freeglut then destroys the
// window and its main loop returns.
void onClose();

// The parts of the callbacks that need no window, so tests can drive them directly.
void idleStep(int nowMs);
// An idle pass without the wait: steps the game; true when a frame should be drawn.
bool idlePass();
bool isQuitKey(unsigned char key);
bool isQuitSpecial(int key, int modifiers);
void handleSpecial(int key, int modifiers, int x, int y);
void windowStatusChanged(int status);

// Ends the game: leaves the main loop (the browser's loop stops and the page says goodbye), and
// from then on the callbacks pass nothing on, though the window system may still deliver the
// rest of the events it has.
void requestQuit();
bool quitRequested();

// The comforts every screen offers: M mutes, F11 goes full screen and back.
void toggleMute();
void toggleFullScreen();
// True on the screens that do not move by themselves (and in a paused game).
bool gameIsStill();
