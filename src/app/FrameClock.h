#pragma once

// The frame clock. Only the idle callback writes it; everything that moves reads it.
extern int elapsedMs;      // game time: milliseconds since GLUT started, less any time held
extern int previousMs;     // elapsedMs of the previous idle pass
extern float frameSeconds; // this frame's time step
extern int frameMs;        // this frame's whole milliseconds: elapsedMs - previousMs

// One tick of the clock as the idle callback does it, given the current game time.
void advanceFrameClock(int nowMs);

// One idle pass's tick from the window system's own time (milliseconds since GLUT started):
// the time the clock was held is taken out, so no rule ever sees it.
void tickFrameClock(int windowMs);

// Holding the clock stops game time where the last idle pass left it (a paused game); releasing
// it lets time run on from there, without a long frame. Both are safe to repeat.
void holdFrameClock();
void releaseFrameClock();
// Forgets every hold: the next tick counts the window's time as it is.
void resetFrameClockHolds();

// Seconds on the frame clock, as every timed rule measures them.
inline float clockSeconds() {
    return static_cast<float>(elapsedMs / 1000.0);
}
