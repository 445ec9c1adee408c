#pragma once

#include "gfx/Vec3.h"

#include <deque>

class Gear;
class LiveMode;

// A scripted player's hand: gestures become queues of input events timed in game seconds and
// delivered through the play state's own mouse and motion operations at the first frame at or
// after their time, as the window system queues them between frames.
class PlayerHand {
public:
    explicit PlayerHand(float speed) : speed(speed) {}

    // Whether the hand's input goes through the window system's callbacks, as a player's does
    // (recorded, the on-screen buttons first), rather than straight to the play state.
    static inline bool throughCallbacks = false;

    bool busy() const { return !queued.empty(); }
    // Delivers the events that are due; true when the last queued one has just gone.
    bool deliver(LiveMode& game, float now);

    // Press on from, move to to at the hand's speed (or the one given), release.
    void drag(Vec3 from, Vec3 to, float start, float speed = 0.0f);
    // A double press on at, then the lifted piece carried to bin and put down there.
    void liftToBin(Vec3 at, Vec3 bin, float start);
    // Ends a carry at a point: the piece follows the pointer there and is put down.
    void putDown(Vec3 at, float now);

    // A point of the bin deep enough that no part of the piece reaches the board and clear of
    // every other piece, so that the drop is not pushed out again; z = 1 when there is none.
    static Vec3 clearBinPoint(const LiveMode& game, const Gear& piece);

    // Between gestures, a dead chain is laid again with C, as the sign asks, at most every few
    // seconds; true when it pressed C.
    bool relayIfDead(LiveMode& game, float now);

    float speed; // world units per second
    float lastPress = -10.0f;
    float lastRelay = -100.0f;

private:
    enum class Input { Press, Release, Drag, Hover };
    struct Event {
        float at;
        Input input;
        Vec3 point;
    };
    std::deque<Event> queued;
};
