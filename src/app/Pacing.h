#pragma once

// Frame pacing. Unless the player asks for the uncapped loop, the idle callback sleeps before a
// frame so that play runs at no more than 120 frames per second and the still screens (splash,
// instructions, the end, a paused game) at no more than 10: the game plays the same at any rate
// (the chain keeps its own clock), so frames beyond these only heat the machine. A still frame
// costs a software renderer about 9 ms of processor time, so 10 frames a second keep a still
// screen near a tenth of a core while a click still shows within 0.1 s. Where the driver offers
// it, buffer swaps also wait for the vertical retrace.
constexpr double playFramesPerSecond = 120.0;
constexpr double stillFramesPerSecond = 10.0;

extern bool pacingEnabled;

// When the next frame may start, in seconds on a monotonic clock: one period after the previous
// start, or now if that moment has passed already (a late frame does not make the next ones
// hurry).
double nextFrameStart(double previousStart, double now, double period);

// Sleeps until the next frame may start; does nothing when pacing is off.
void paceFrame(double framesPerSecond);

// Seconds on the monotonic clock.
double monotonicSeconds();
