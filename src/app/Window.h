#pragma once

// The few window-system calls the game logic makes. They do nothing while GLUT has no window
// (tests drive the logic without one, and freeglut ends the process if called uninitialised).
bool windowSystemReady();
void resizeWindow(int width, int height);
