#include "app/FrameClock.h"

FrameClock frameClock;
int& elapsedMs = frameClock.elapsedMs;
int& previousMs = frameClock.previousMs;
float& frameSeconds = frameClock.frameSeconds;
int& frameMs = frameClock.frameMs;
