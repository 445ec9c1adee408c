/* Paces the game's buffer swaps to GRIDLUME_FRAME_RATE a second, as a screen with vertical sync
 * would. Xvfb has none, so the game draws as fast as the processor lets it, and an end-to-end
 * test that mostly waits for the game would keep both cores busy with frames nobody looks at.
 * Preloaded into the real binary by tools/lib.sh; without the variable it changes nothing. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long nanoseconds(const struct timespec* t) {
    return (long long)t->tv_sec * 1000000000LL + t->tv_nsec;
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    static long long period = 0;
    static long long next = 0;
    if (real == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&real, &symbol, sizeof real); // ISO C has no cast from data to function pointer
        const char* rate = getenv("GRIDLUME_FRAME_RATE");
        period = rate != NULL && atoi(rate) > 0 ? 1000000000LL / atoi(rate) : 0;
    }
    real(display, drawable);
    if (period == 0) {
        return;
    }
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (next > nanoseconds(&now)) {
        const struct timespec until = {(time_t)(next / 1000000000LL), (long)(next % 1000000000LL)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL);
    } else {
        next = nanoseconds(&now); // a late frame: no catching up
    }
    next += period;
}
