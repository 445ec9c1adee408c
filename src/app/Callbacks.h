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

// The parts of the callbacks that need no window, so tests can drive them directly.
void idleStep(int nowMs);
// An idle pass without the wait: steps the game; true when a frame should be drawn.
bool idlePass();
bool isQuitKey(unsigned char key);
bool isQuitSpecial(int key, int modifiers);
void handleSpecial(int key, int modifiers, int x, int y);
void windowStatusChanged(int status);

// The comforts every screen offers: M mutes, F11 goes full screen and back.
void toggleMute();
void toggleFullScreen();
// True on the screens that do not move by themselves (and in a paused game).
bool gameIsStill();
