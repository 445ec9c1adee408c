#pragma once

#include "play/FrameClock.h"

// The shell's one clock: only the idle callback ticks it. The screens are handed it; the names
// below are the shell's (and the tests') short way to it.
extern FrameClock frameClock;
extern int& elapsedMs;
extern int& previousMs;
extern float& frameSeconds;
extern int& frameMs;

inline void advanceFrameClock(int nowMs) {
    frameClock.advance(nowMs);
}
inline void tickFrameClock(int windowMs) {
    frameClock.tick(windowMs);
}
inline void holdFrameClock() {
    frameClock.hold();
}
inline void releaseFrameClock() {
    frameClock.release();
}
inline void resetFrameClockHolds() {
    frameClock.resetHolds();
}
inline float clockSeconds() {
    return frameClock.seconds();
}
