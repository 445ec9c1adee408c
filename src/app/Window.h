#pragma once

// The few window-system calls the game logic makes. They do nothing while GLUT has no window
// (tests drive the logic without one, and freeglut ends the process if called uninitialised).
bool windowSystemReady();
void resizeWindow(int width, int height);

// The screen's size in pixels, 0 when there is no window system to ask.
int screenWidth();
int screenHeight();

// Full screen on and off; leaving it gives the window the size it is asked for.
void enterFullScreen();
void leaveFullScreen(int width, int height);

// Ends the game: the main loop returns to main, which closes the sound device, the textures and
// the window; in the browser the page's loop stops and the page says goodbye instead.
void quitGame();
