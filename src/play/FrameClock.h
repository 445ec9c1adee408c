#pragma once

// The game's clock, in the milliseconds the window system counts. The shell ticks it once per
// idle pass; the screens are handed it and read the frame's length and the game time from it.
class FrameClock {
public:
    int elapsedMs = 0;         // game time: milliseconds since the start, less any time held
    int previousMs = 0;        // elapsedMs of the previous tick
    float frameSeconds = 0.0f; // this frame's time step
    int frameMs = 0;           // this frame's whole milliseconds: elapsedMs - previousMs

    // One tick, given the current game time.
    void advance(int nowMs);
    // One tick from the window system's own time: the time the clock was held is taken out, so
    // no rule ever sees it.
    void tick(int windowMs);
    // Holding the clock stops game time where the last tick left it (a paused game); releasing
    // it lets time run on from there, without a long frame. Both are safe to repeat.
    void hold();
    void release();
    // Forgets every hold: the next tick counts the window's time as it is.
    void resetHolds();

    // Seconds on the clock, as every timed rule measures them.
    float seconds() const { return static_cast<float>(elapsedMs / 1000.0); }

private:
    int lastWindowMs = 0; // the window time of the last tick
    int heldMs = 0;       // window time spent held, over the whole run
    bool held = false;
    int heldSince = 0; // window time at which the current hold began
};
