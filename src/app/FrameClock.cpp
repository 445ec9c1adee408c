#include "app/FrameClock.h"

int elapsedMs = 0;
int previousMs = 0;
float frameSeconds = 0.0f;
int frameMs = 0;

void advanceFrameClock(int nowMs) {
    elapsedMs = nowMs;
    frameMs = nowMs - previousMs;
    frameSeconds = static_cast<float>(frameMs / 1000.0);
    previousMs = nowMs;
}
