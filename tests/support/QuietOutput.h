#pragma once

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// The game writes its log lines to standard output; a long run does not need them.
class QuietOutput {
public:
    explicit QuietOutput(bool quiet) {
        if (!quiet) {
            return;
        }
        std::fflush(stdout);
        saved = dup(STDOUT_FILENO);
        const int sink = open("/dev/null", O_WRONLY);
        if (saved >= 0 && sink >= 0) {
            dup2(sink, STDOUT_FILENO);
        }
        if (sink >= 0) {
            close(sink);
        }
    }
    ~QuietOutput() {
        if (saved >= 0) {
            std::fflush(stdout);
            dup2(saved, STDOUT_FILENO);
            close(saved);
        }
    }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

private:
    int saved = -1;
};
