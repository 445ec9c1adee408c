#pragma once

#include "gfx/Vec3.h"

#include <cstddef>
#include <vector>

class Chain;
class Gear;
class LiveMode;

// How the chain stands, as a player would describe it.
enum class ChainCondition {
    Moving,   // some joint travels
    Taut,     // still, with links stretched past their rest length: something holds it
    Slack,    // still and unstretched: a heap or a knot the motor cannot grip
    OffMotor, // no joint on the motor's rim: the motor turns alone
};

// What the player or the rules last did to the chain, for the dead-chain census.
enum class ChainEvent {
    None,
    AddLinkPayout,    // six links more
    Lifted,           // a piece double-pressed off the chain
    Dropped,          // a piece put down on the board
    DroppedNearMotor, // put down within a link's length of the motor's rim
    DraggedAcross,    // a piece dragged across a strand of the chain
    Relaid,           // the chain laid again round the motor
};

// A stretch of play in which the chain turned no piece although one was on it.
struct DeadEpisode {
    float began = 0.0f;  // game seconds when the last piece stopped turning
    float ended = -1.0f; // when a piece turned again; negative while it lasts
    ChainCondition condition = ChainCondition::Moving; // when the stretch was declared dead
    ChainEvent before = ChainEvent::None;              // the last event before it began
    float beforeAt = 0.0f;
};

// What the overlays, the hints and the end screen's tip know about the play: which pieces the
// chain is turning, how long the chain has stood still, what became of the pieces the player
// dropped, whether the chain is dead and why. It is taken around the chain's steps of each
// frame, from what they leave behind, and nothing of it feeds back into the rules.
class PlayWatch {
public:
    // A piece turns when the chain turns it faster than this; slower is a joint's nudge.
    static constexpr float turningDegreesPerSecond = 30.0f;
    // The chain moves when one of its joints travels faster than this over the frame's steps.
    // A chain pulled tight only trembles where the motor tugs at it.
    static constexpr float movingUnitsPerSecond = 2.0f;
    // The chain is dead once no piece but the motor has turned for this long while some piece
    // was on it.
    static constexpr float deadSeconds = 5.0f;
    // A dead chain lives again once some piece has turned this long without a break.
    static constexpr float revivedSeconds = 1.0f;
    // A joint this close outside the motor's rim still counts as on it; a link this much longer
    // than its rest length counts as stretched.
    static constexpr float rimBand = 2.0f;
    static constexpr float stretchedBy = 0.25f;
    // A new condition shows in the sign only once it has held this long, so the sign does not
    // flicker between two readings of one trembling chain.
    static constexpr float conditionSettleSeconds = 1.0f;

    float stillChainSeconds = 0.0f; // how long the motor has turned with no joint moving
    float lastTurnSeconds = 0.0f;   // game seconds at which some piece last turned
    int piecesDropped = 0;          // pieces the player put on the board for the first time
    int droppedTouched = 0;         // of those, the ones the chain has turned since
    int spentPieces = 0;            // pieces whose last charge has paid out

    ChainCondition condition = ChainCondition::Moving;      // this frame's reading
    ChainCondition shownCondition = ChainCondition::Moving; // settled, for the sign
    const Gear* holdingPiece = nullptr; // while taut: the piece farthest out that holds it
    float unturnedSeconds = 0.0f;       // no piece turning while one was on the chain
    float turningSeconds = 0.0f;        // some piece turning in every frame
    std::vector<DeadEpisode> episodes;  // every dead stretch of the game, in order

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
    // Something happened to the chain at gameSeconds.
    void note(ChainEvent event, float gameSeconds);

    // Whether the chain is dead now, and whether it has been since at least `since`.
    bool dead() const { return !episodes.empty() && episodes.back().ended < 0.0f; }
    bool deadSince(float since) const { return dead() && episodes.back().began <= since; }
    // Reads how the chain stands now.
    static ChainCondition classify(const Chain& chain, const Gear& motor, bool moving,
                                   const Gear** holding);

private:
    void watchDeath(const LiveMode& game, bool anyTurning, float frameSeconds, float gameSeconds);
    void settleCondition(float frameSeconds);

    struct NotedEvent {
        ChainEvent event;
        float at;
    };
    static constexpr std::size_t recentEventCount = 8;

    std::vector<Vec3> jointsBefore; // grows with the chain, never shrinks during a game
    std::vector<NotedEvent> recentEvents;
    ChainCondition pendingCondition = ChainCondition::Moving;
    float pendingSeconds = 0.0f;
};

const char* conditionName(ChainCondition condition);
const char* eventName(ChainEvent event);
