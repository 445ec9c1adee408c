// The main of every test binary. A test that reaches a quit path (std::exit from a screen or a
// quit key) would otherwise end the run early with status 0, and the tests after it would never
// run while the binary still counted as passed. So the main process refuses any exit before
// the whole run has finished. Death tests' children are other processes and exit as they like.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

pid_t runner = 0;
bool finished = false;

void refuseEarlyExit() {
    if (!finished && getpid() == runner) {
        std::fputs("FAIL: the test run ended before every test had finished (something called "
                   "exit)\n",
                   stderr);
        std::fflush(stderr);
        _exit(1);
    }
}

// A death test run in the "threadsafe" style starts this binary again just for its statement.
bool isDeathTestChild(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strstr(argv[i], "internal_run_death_test") != nullptr) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const bool child = isDeathTestChild(argc, argv); // before GoogleTest takes its flags out
    ::testing::InitGoogleTest(&argc, argv);
    if (!child) {
        runner = getpid();
        std::atexit(refuseEarlyExit);
    }
    const int status = RUN_ALL_TESTS();
    finished = true;
    return status;
}
