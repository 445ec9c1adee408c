/* Counts the frames a window shows, from outside the program that draws them: the Windows
 * build under Wine draws through Wine's own GL driver, where nothing can be preloaded (the
 * frame probe sees no swap there), so the desktop and the Windows build are both timed here by
 * what reaches the X server. Every top-level window gets a DAMAGE object as it is created, in
 * the mode that reports every drawing request: a frame is one request (its last rectangle) on
 * the window named NAME. The time is the server's own stamp of the request, so a watcher that
 * wakes late on a busy machine neither merges frames nor shifts them.
 *
 * Usage: frame_watch NAME            prints, one line a frame:
 *        frame NANOSECONDS R G B     (CLOCK_REALTIME, to the millisecond; the colour of the
 *                                     window's middle pixel when the report is read, for the
 *                                     first 100 frames only, since each look costs a round trip)
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long clock_ns(clockid_t clock) {
    struct timespec t;
    clock_gettime(clock, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int ignore_errors(Display* display, XErrorEvent* event) {
    (void)display;
    (void)event; /* windows vanish between their creation and our look at them */
    return 0;
}

static void watch(Display* display, Window window) {
    XDamageCreate(display, window, XDamageReportRawRectangles);
}

static int named(Display* display, Window window, const char* name) {
    char* title = NULL;
    int same = XFetchName(display, window, &title) && title && strcmp(title, name) == 0;
    if (title) {
        XFree(title);
    }
    return same;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s WINDOW_NAME\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    int damage_event, damage_error;
    if (!display || !XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "frame_watch: no display with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    Window parent, *children = NULL;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            watch(display, children[i]);
        }
        XFree(children);
    }
    setvbuf(stdout, NULL, _IOLBF, 0);
    /* Xvfb stamps its events with the monotonic clock in milliseconds. */
    const long long to_realtime = clock_ns(CLOCK_REALTIME) - clock_ns(CLOCK_MONOTONIC);
    Window game = 0;
    long frames = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            watch(display, event.xcreatewindow.window);
        } else if (event.type == damage_event + XDamageNotify) {
            const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
            if (damage->more) {
                continue;
            }
            if (damage->drawable != game) {
                if (!named(display, damage->drawable, argv[1])) {
                    continue;
                }
                game = damage->drawable;
            }
            const long long at = (long long)damage->timestamp * 1000000LL + to_realtime;
            XWindowAttributes a;
            if (++frames > 100 || !XGetWindowAttributes(display, game, &a)) {
                printf("frame %lld - - -\n", at);
                continue;
            }
            unsigned long rgb = 0;
            XImage* image =
                XGetImage(display, game, a.width / 2, a.height / 2, 1, 1, AllPlanes, ZPixmap);
            if (image) {
                rgb = XGetPixel(image, 0, 0);
                XDestroyImage(image);
            }
            printf("frame %lld %lu %lu %lu\n", at, (rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
        }
    }
}
