#include "app/FrameClock.h"

int elapsedMs = 0;
int previousMs = 0;
float frameSeconds = 0.0f;
int frameMs = 0;

namespace {
int lastWindowMs = 0; // the window time of the last tick
int heldMs = 0;       // window time spent held, over the whole run
bool held = false;
int heldSince = 0; // window time at which the current hold began
} // namespace

void advanceFrameClock(int nowMs) {
    elapsedMs = nowMs;
    frameMs = nowMs - previousMs;
    frameSeconds = static_cast<float>(frameMs / 1000.0);
    previousMs = nowMs;
}

void tickFrameClock(int windowMs) {
    lastWindowMs = windowMs;
    advanceFrameClock(held ? heldSince - heldMs : windowMs - heldMs);
}

void holdFrameClock() {
    if (!held) {
        held = true;
        heldSince = lastWindowMs;
    }
}

void releaseFrameClock() {
    if (held) {
        held = false;
        heldMs += lastWindowMs - heldSince;
    }
}

void resetFrameClockHolds() {
    held = false;
    heldMs = 0;
    heldSince = 0;
    lastWindowMs = 0;
}
