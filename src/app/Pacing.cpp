#include "app/Pacing.h"

#include "platform/Platform.h"

bool pacingEnabled = false;

namespace {

double lastStart = -1.0;

double nextFrameStart(double previousStart, double now, double period) {
    const double next = previousStart + period;
    return next > now ? next : now;
}

} // namespace

double monotonicSeconds() {
    return platform::monotonicSeconds();
}

bool frameDue(bool paced, bool still, bool changed, double secondsSinceFrame) {
    return !paced || !still || changed || !(secondsSinceFrame < stillRefreshSeconds);
}

void paceFrame(double framesPerSecond) {
    if (!pacingEnabled || !(framesPerSecond > 0.0)) {
        return;
    }
    const double now = monotonicSeconds();
    const double start =
        lastStart < 0.0 ? now : nextFrameStart(lastStart, now, 1.0 / framesPerSecond);
    if (start > now) {
        platform::sleepUntil(start);
    }
    lastStart = start;
}
