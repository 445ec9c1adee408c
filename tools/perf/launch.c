// Notes the moment of launch in the probe log, then becomes the program: the start-up time the
// perf scripts report runs from here to the program's first buffer swap.
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: launch PROGRAM [ARGS...]\n");
        return 2;
    }
    const char* path = getenv("GRIDLUME_PROBE_LOG");
    if (path != NULL) {
        const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            struct timespec now;
            clock_gettime(CLOCK_MONOTONIC, &now);
            char line[64];
            const int n = snprintf(line, sizeof line, "launch %lld\n",
                                   (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
            if (n > 0 && write(fd, line, (size_t)n) < 0) {
                perror("launch");
            }
            close(fd);
        }
    }
    execv(argv[1], argv + 1);
    perror(argv[1]);
    return 127;
}
