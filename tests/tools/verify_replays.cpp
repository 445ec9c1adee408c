// Plays each replay file named on the command line without a window and says whether it ends as
// recorded: the game's own --verify-replay, as a program that also runs under Node (the browser
// build's code, reading the machine's files), so that one replay can be checked by all three
// builds.
//   gridlume_verify_replays FILE...
#include "app/Replays.h"
#include "audio/SoundDevice.h"

#include <cinttypes>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    soundSetMuted(true);
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        Replay replay;
        std::string why;
        if (!loadReplayFile(argv[i], replay, why)) {
            std::printf("%s: %s\n", argv[i], why.c_str());
            ++failed;
            continue;
        }
        const ReplayResult got = playReplay(replay);
        const bool same =
            got.outcome == replay.outcome && got.gameMs == replay.gameMs && got.hash == replay.hash;
        std::printf("%s: %s after %d ms, %016" PRIx64 ": %s\n", argv[i], outcomeName(got.outcome),
                    got.gameMs, got.hash, same ? "as recorded" : "DIFFERENT");
        failed += same ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}
