#pragma once

#include "gfx/Vec3.h"

#include <vector>

class Gear;
class LiveMode;

// What the overlays, the hints and the end screen's tip know about the play: which pieces the
// chain is turning, how long the chain has stood still, what became of the pieces the player
// dropped. It is taken around the chain's steps of each frame, from what they leave behind, and
// nothing of it feeds back into the rules.
class PlayWatch {
public:
    // A piece turns when the chain turns it faster than this; slower is a joint's nudge.
    static constexpr float turningDegreesPerSecond = 30.0f;
    // The chain moves when one of its joints travels faster than this over the frame's steps.
    // A chain pulled tight only trembles where the motor tugs at it.
    static constexpr float movingUnitsPerSecond = 2.0f;

    float stillChainSeconds = 0.0f; // how long the motor has turned with no joint moving
    float lastTurnSeconds = 0.0f;   // game seconds at which some piece last turned
    int piecesDropped = 0;          // pieces the player put on the board for the first time
    int droppedTouched = 0;         // of those, the ones the chain has turned since
    int spentPieces = 0;            // pieces whose last charge has paid out

    // A new game: everything starts afresh.
    void reset();
    // Just before the frame's chain steps.
    void beforeChain(const LiveMode& game);
    // Just after them: chainSeconds is the chain time the frame stepped, frameSeconds the
    // frame's time step and gameSeconds the time since the game began.
    void afterChain(const LiveMode& game, float chainSeconds, float frameSeconds,
                    float gameSeconds);
    // The player put a piece on the board (firstTime: it came from the chute).
    void dropped(Gear& piece, bool firstTime);

private:
    std::vector<Vec3> jointsBefore; // grows with the chain, never shrinks during a game
};
