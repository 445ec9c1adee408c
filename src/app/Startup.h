#pragma once

struct Options;

// Opens the window and brings the game to its first screen; returns when ready for the loop.
void startGame(const Options& options);

// The OpenGL state the game keeps for its whole run: grey clear colour, no culling, no depth
// test, no wait for the vertical retrace. Needs a current context.
void setFixedGlState();
