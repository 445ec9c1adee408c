#pragma once

#include <string>

class LiveMode;

// What must hold after every event and every frame of a game, whatever the player did. Each
// check returns an empty string when everything holds, otherwise the first thing that broke.

// The play state once its game is built. aPresses counts the A keys the game has received: each
// one adds a plain gear that keeps a chute slot of its own for the rest of the game.
std::string brokenPlayInvariant(const LiveMode& game, int aPresses);

// The screens: one of the three states is current, the camera maps to a real window size, and
// an end screen shows the picture and the board that go with the outcome.
std::string brokenScreenInvariant(const LiveMode& game);
