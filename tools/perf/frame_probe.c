// Preloaded into the game (or the bare-quads loop) by the perf scripts: timestamps every buffer
// swap and every mouse-button event the program takes from the X queue, so frame rate, the first
// frame and the reaction to a click can be measured from outside without touching the program.
// Lines go to the file named by GRIDLUME_PROBE_LOG: "swap NS CPU", "press NS CPU" and
// "release NS CPU", with NS the CLOCK_MONOTONIC time and CPU the CPU time the whole process (all
// its threads, the rasteriser's included) has used so far, both in nanoseconds. Standard output
// stays the program's own. GRIDLUME_PROBE_EXIT_AT_SWAP=N ends the program right after its N-th
// swap, so that a profiler can record exactly the start-up.
#define _GNU_SOURCE
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int logFd = -2;

static void logEvent(const char* what) {
    if (logFd == -2) {
        const char* path = getenv("GRIDLUME_PROBE_LOG");
        logFd = path != NULL ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }
    if (logFd < 0) {
        return;
    }
    struct timespec now;
    struct timespec cpu;
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    char line[80];
    const int n = snprintf(line, sizeof line, "%s %lld %lld\n", what,
                           (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                           (long long)cpu.tv_sec * 1000000000LL + cpu.tv_nsec);
    if (n > 0 && write(logFd, line, (size_t)n) < 0) {
        logFd = -1;
    }
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    if (real == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&real, &symbol, sizeof real); // ISO C has no cast from data to function pointer
    }
    real(display, drawable);
    logEvent("swap");
    static long swaps = 0;
    static long exitAt = -1;
    if (exitAt == -1) {
        const char* text = getenv("GRIDLUME_PROBE_EXIT_AT_SWAP");
        exitAt = text != NULL ? atol(text) : 0;
    }
    if (exitAt > 0 && ++swaps >= exitAt) {
        _exit(0);
    }
}

int XNextEvent(Display* display, XEvent* event) {
    static int (*real)(Display*, XEvent*) = NULL;
    if (real == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "XNextEvent");
        memcpy(&real, &symbol, sizeof real);
    }
    const int result = real(display, event);
    if (event->type == ButtonPress) {
        logEvent("press");
    } else if (event->type == ButtonRelease) {
        logEvent("release");
    }
    return result;
}
