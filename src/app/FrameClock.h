#pragma once

// The frame clock. Only the idle callback writes it; everything that moves reads it.
extern int elapsedMs;  // milliseconds since GLUT started, sampled at the start of this idle pass
extern int previousMs; // elapsedMs of the previous idle pass
extern float frameSeconds; // this frame's time step
extern int frameMs;        // this frame's whole milliseconds: elapsedMs - previousMs

// One tick of the clock as the idle callback does it, given the current GLUT time.
void advanceFrameClock(int nowMs);

// Seconds on the frame clock, as every timed rule measures them.
inline float clockSeconds() {
    return static_cast<float>(elapsedMs / 1000.0);
}
