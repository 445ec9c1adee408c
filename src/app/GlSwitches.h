#pragma once

// Fixed OpenGL state the game sets once at start-up.
void setCulling(bool on);
void setDepthTest(bool depth, bool alphaTest);

// Turning off the wait for the vertical retrace, where the window system lets us.
extern bool swapControlAvailable;
void initSwapControl();
void setSwapInterval(bool on);
