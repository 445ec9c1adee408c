#pragma once

struct Options;

// Opens the window and brings the game to its first screen; true when ready for the loop, false
// (the player told why) when the window has no OpenGL at all.
bool startGame(const Options& options);

// The OpenGL state the game keeps for its whole run: grey clear colour, no culling, no depth
// test, no wait for the vertical retrace. Needs a current context.
void setFixedGlState();
