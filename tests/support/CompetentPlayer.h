#pragma once

#include "MonkeyRandom.h"
#include "PlayerHand.h"

#include "gfx/Vec3.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class Gear;
class LiveMode;

// A player who knows the game and plays it only as a person can: it looks at what the screen
// shows (the pieces, their size and charges, how they turn, the chain, the squares' colour and
// the clock) and acts through the play state's own input, with the pauses and the mouse speed
// of a hand. It never writes the game's state.
//
// It drags each dealt bulb onto the chain where the chain moves and the board is darkest, puts
// add-link pieces on the chain so that it grows, throws the smallest bulbs away unplaced, lifts
// spent pieces off the chain and drops them in the bin, and puts back on the chain a charged
// piece that has stopped turning. The seed varies its timing and aim, never the deal.
class CompetentPlayer {
public:
    explicit CompetentPlayer(std::uint32_t seed);

    // Call once per frame, before the frame's idle pass, while the play state is current.
    void act(LiveMode& game);

    // What it did, for the reports.
    int placed = 0;   // dealt pieces put on the chain
    int skipped = 0;  // dealt pieces thrown in the bin unplaced
    int binned = 0;   // spent pieces carried to the bin
    int replaced = 0; // charged pieces that had stopped turning, put back on the chain

private:
    // What the player remembers of a piece from earlier frames.
    struct Sighting {
        float angle = 0.0f;
        float lastTurned = 0.0f; // when it was last seen turning
        float turning = 0.0f;    // degrees turned since windowStart
        float windowStart = 0.0f;
        float since = 0.0f; // when it was first seen as it is now
        int radius = 0;
        bool placed = false;
        bool charged = false; // came with a payload
        bool binned = false;
    };

    // A place on the chain for a piece, and what it is worth.
    struct Spot {
        Vec3 centre{};
        float worth = -1.0f;
    };

    void look(const LiveMode& game, float now);
    bool decide(const LiveMode& game, float now);

    bool tension(const LiveMode& game, float now);
    Gear* tensioner(const LiveMode& game) const;
    Gear* dealtPiece(const LiveMode& game) const;
    Gear* spentPiece(const LiveMode& game) const;
    Gear* stalledPiece(const LiveMode& game, float now) const;
    Spot bestSpot(const LiveMode& game, const Gear& piece) const;
    bool fitsAt(const LiveMode& game, const Gear& piece, Vec3 centre) const;
    float usefulLight(const LiveMode& game, Vec3 centre, float radius) const;

    MonkeyRandom random;
    float reaction; // seconds between seeing and acting
    PlayerHand hand;
    float depth;        // how far a piece's rim reaches over the chain
    float stretchAngle; // radians: where the small gear pulls the chain, seen from the motor

    bool stretched = false;
    float lastTension = 0.0f;
    float nextLook = 0.0f;
    std::unordered_map<const Gear*, Sighting> seen;
    std::vector<Vec3> jointsBefore; // the chain a moment ago
    std::vector<float> jointSpeed;  // units per second, by joint
    float jointsSampledAt = 0.0f;
};
