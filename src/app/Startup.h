#pragma once

// Opens the window and brings the game to its first screen; returns when ready for the loop.
void startGame(int* argc, char** argv);
