#pragma once

#include <cstdint>
#include <string>

// Seeded random games through the real screens, without a window: the start screen, play and
// the end screen receive random presses, releases, motions, keys and reshapes between idle
// steps of 0 to 0.2 s, and every invariant is checked after each event and each frame. A seed
// replays its game exactly.
//
// Every game runs in the global play state, as the real program does; before each game the play
// state is given back and reset to what a new process starts with (see releasePlayState).

struct MonkeyOptions {
    std::uint32_t seed = 1;
    int maxFrames = 20000; // the game stops here if the end screen was not reached
    int endFrames = 20;    // frames played on the end screen (never 5 s: a late click exits)
    // The game also stops once play has lasted this long (0: as long as it lasts). The chain
    // steps once per millisecond of play, so this bounds what a game costs.
    float maxPlaySeconds = 0.0f;
};

struct MonkeyResult {
    std::uint32_t seed = 0;
    const char* style = ""; // how the seed's player plays
    std::string failure;    // empty when every invariant held
    int frames = 0;
    long events = 0;
    bool reachedPlay = false;
    bool reachedEnd = false;
    bool won = false;
    float playSeconds = 0.0f; // game time from entering play to the end screen (or the stop)
    int mostPieces = 0;
    int mostLinks = 0;
    int aPresses = 0;
    int relights = 0;         // frames in which bulbs brought light back to the board
    std::uint64_t digest = 0; // of the whole run: equal digests mean an exact replay
};

MonkeyResult playMonkeyGame(const MonkeyOptions& options);

// Gives back everything the play state built (what a real run leaves to the process exit),
// closes the sound device as the exit would, and resets the play state to its freshly
// constructed values so that another game can be entered in this process.
void releasePlayState();

// The kind of player a seed gets.
const char* monkeyStyle(std::uint32_t seed);

// One line describing a result, for logs; the outcome alone is the same without the seed.
std::string describe(const MonkeyResult& result);
std::string describeOutcome(const MonkeyResult& result);
