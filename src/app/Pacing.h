#pragma once

// Frame pacing. Unless the player asks for the uncapped loop, the idle callback sleeps before a
// pass so that play runs at no more than 120 passes a second and the still screens (splash,
// instructions, the end, a paused game) at no more than 30: the game plays the same at any rate
// (the chain keeps its own clock), so passes beyond these only heat the machine. Where the driver
// offers it, buffer swaps also wait for the vertical retrace.
constexpr double playFramesPerSecond = 120.0;
constexpr double stillFramesPerSecond = 30.0;

// A still screen is drawn again only when something may have changed it (input, the window,
// another screen) or this long after its last frame: drawing the same picture again costs a
// software renderer as much as a new one, about 14 ms, which at 30 passes a second would be
// almost half a core spent on a picture that does not move. A page keeps showing its canvas's
// last picture, and there one more picture a second cost 3.5 % of a core, so it waits longer.
#ifdef __EMSCRIPTEN__
constexpr double stillRefreshSeconds = 10.0;
#else
constexpr double stillRefreshSeconds = 1.0;
#endif

extern bool pacingEnabled;

// Whether an idle pass draws a frame. Uncapped and in play every pass does.
bool frameDue(bool paced, bool still, bool changed, double secondsSinceFrame);

// Sleeps until one period after the previous frame's start, or not at all if that moment has
// passed already (a late frame does not make the next ones hurry); does nothing when pacing is
// off.
void paceFrame(double framesPerSecond);

// Seconds on the monotonic clock.
double monotonicSeconds();
