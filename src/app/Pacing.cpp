#include "app/Pacing.h"

#include <cerrno>
#include <cmath>
#include <ctime>

bool pacingEnabled = false;

namespace {

double lastStart = -1.0;

double nextFrameStart(double previousStart, double now, double period) {
    const double next = previousStart + period;
    return next > now ? next : now;
}

} // namespace

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
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
        timespec until{};
        until.tv_sec = static_cast<time_t>(std::floor(start));
        until.tv_nsec = static_cast<long>((start - std::floor(start)) * 1e9);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
    }
    lastStart = start;
}
