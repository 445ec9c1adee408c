#include "play/FrameClock.h"

void FrameClock::advance(int nowMs) {
    elapsedMs = nowMs;
    frameMs = nowMs - previousMs;
    frameSeconds = static_cast<float>(frameMs / 1000.0);
    previousMs = nowMs;
}

void FrameClock::tick(int windowMs) {
    lastWindowMs = windowMs;
    advance(held ? heldSince - heldMs : windowMs - heldMs);
}

void FrameClock::hold() {
    if (!held) {
        held = true;
        heldSince = lastWindowMs;
    }
}

void FrameClock::release() {
    if (held) {
        held = false;
        heldMs += lastWindowMs - heldSince;
    }
}

void FrameClock::resetHolds() {
    held = false;
    heldMs = 0;
    heldSince = 0;
    lastWindowMs = 0;
}
