#include "app/FrameClock.h"

int elapsedMs = 0;
int previousMs = 0;
float frameSeconds = 0.0f;

void advanceFrameClock(int nowMs) {
    elapsedMs = nowMs;
    frameSeconds = static_cast<float>((nowMs - previousMs) / 1000.0);
    previousMs = nowMs;
}
