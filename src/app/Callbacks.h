#pragma once

#include "play/Replay.h"

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

// The game's own handling of each input, as the callbacks hand it on after recording it; the
// buttons and a replay's events go through these.
void handleMouse(int button, int state, int x, int y);
void handleMotion(int x, int y);
void handlePassiveMotion(int x, int y);
void handleKeyboard(unsigned char key, int x, int y);
void handleKeyboardUp(unsigned char key, int x, int y);
void handleSpecialUp(int key, int x, int y);
void handleReshape(int width, int height);
void playEvent(const Replay::Event& event);
// While a replay plays nothing is saved, the window is left alone and a quit ends the replay.
void setPlayingBack(bool on);
bool playingBack();

// Watching a replay in the window (from the command line, or W on the end screen): the window's
// input then steers the replay (P, F or right arrow, Esc) instead of the game; at its end the
// game's own end screen stays. quitAtEnd: Esc also ends the program.
void watchReplay(const Replay& replay, bool quitAtEnd);
void stopWatching();
bool isWatching();

// The parts of the callbacks that need no window, so tests can drive them directly.
void idleStep(int nowMs);
// An idle pass without the wait: steps the game; true when a frame should be drawn.
bool idlePass();
bool isQuitKey(unsigned char key);
bool isQuitSpecial(int key, int modifiers);
void handleSpecial(int key, int modifiers, int x, int y);
// onSpecial with the modifier keys GLUT reported with it.
void onSpecialWith(int key, int modifiers, int x, int y);
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
