// The long random-play run: many seeded games in one process, one line per game on standard
// error, and a replay command for every seed that broke an invariant.
//
//   gridlume_monkey [--seeds FIRST-LAST | --seed N] [--frames N] [--play-seconds S]
//                   [--end-frames N] [--data DIR] [--log] [--max-growth BYTES]
//                   [--replays DIR]
// --replays DIR saves every game's replay there, as the game keeps them (the latest and the best).
//
// --play-seconds S stops each game after S seconds of play, undecided: the chain steps once per
// millisecond of play, so this bounds what a game costs. --data DIR runs the games with DIR as the
// working directory, so that ./sounds/ loads; --log keeps the game's own log lines (dropped by
// default). At the end the heap must hold no more than --max-growth bytes per game above what it
// held after the first game, and LeakSanitizer (when built in) must find nothing: every game is
// given back with releasePlayState.
#include "support/HeapInUse.h"
#include "support/Monkey.h"
#include "support/QuietOutput.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Replays.h"
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Arguments {
    std::uint32_t first = 1;
    std::uint32_t last = 200;
    int frames = 20000;
    float playSeconds = 0.0f;
    int endFrames = 20;
    const char* data = nullptr;
    bool log = false;
    long maxGrowth = 2048;
};

bool parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--log") {
            a.log = true;
            continue;
        }
        if (value == nullptr) {
            return false;
        }
        ++i;
        if (arg == "--seeds") {
            unsigned long first = 0;
            unsigned long last = 0;
            if (std::sscanf(value, "%lu-%lu", &first, &last) != 2 || last < first) {
                return false;
            }
            a.first = static_cast<std::uint32_t>(first);
            a.last = static_cast<std::uint32_t>(last);
        } else if (arg == "--seed") {
            a.first = a.last = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (arg == "--frames") {
            a.frames = std::atoi(value);
        } else if (arg == "--play-seconds") {
            a.playSeconds = std::strtof(value, nullptr);
        } else if (arg == "--end-frames") {
            a.endFrames = std::atoi(value);
        } else if (arg == "--data") {
            a.data = value;
        } else if (arg == "--replays") {
            recorder.folder = value;
        } else if (arg == "--max-growth") {
            a.maxGrowth = std::atol(value);
        } else {
            return false;
        }
    }
    return a.frames > 0 && a.playSeconds >= 0.0f && a.endFrames >= 0;
}

} // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!parse(argc, argv, a)) {
        std::fprintf(stderr,
                     "usage: %s [--seeds FIRST-LAST | --seed N] [--frames N] [--play-seconds S] "
                     "[--end-frames N] [--data DIR] [--log] [--max-growth BYTES] [--replays DIR]\n",
                     argv[0]);
        return 2;
    }
    if (a.data != nullptr && chdir(a.data) != 0) {
        std::perror(a.data);
        return 2;
    }

    std::vector<std::uint32_t> failed;
    long frames = 0;
    int won = 0;
    int lost = 0;
    std::size_t heapAfterFirst = 0;
    const auto started = std::chrono::steady_clock::now();
    for (std::uint32_t seed = a.first;; ++seed) {
        MonkeyOptions options;
        options.seed = seed;
        options.maxFrames = a.frames;
        options.maxPlaySeconds = a.playSeconds;
        options.endFrames = a.endFrames;
        // The seed goes out first: a sanitizer that stops the process reports right after it.
        std::fprintf(stderr, "seed %u (%s): ", seed, monkeyStyle(seed));
        std::fflush(stderr);
        MonkeyResult result;
        {
            QuietOutput quiet(!a.log);
            result = playMonkeyGame(options);
            releasePlayState();
        }
        std::fprintf(stderr, "%s\n", describeOutcome(result).c_str());
        frames += result.frames;
        won += result.reachedEnd && result.won ? 1 : 0;
        lost += result.reachedEnd && !result.won ? 1 : 0;
        if (!result.failure.empty() || !result.reachedPlay) {
            failed.push_back(seed);
        }
        if (seed == a.first) {
            heapAfterFirst = heapInUse();
        }
        if (seed == a.last) {
            break;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const long games = static_cast<long>(a.last - a.first) + 1;
    const long growth = static_cast<long>(heapInUse()) - static_cast<long>(heapAfterFirst);
    std::fprintf(stderr,
                 "%ld games (%d won, %d lost), %ld frames in %.1f s; heap %+ld bytes "
                 "since the first game\n",
                 games, won, lost, frames, seconds, growth);

    bool ok = failed.empty();
    if (games > 1 && growth > a.maxGrowth * (games - 1)) {
        std::fprintf(stderr, "FAILED: the heap grew by %ld bytes over %ld games\n", growth,
                     games - 1);
        ok = false;
    }
    if (leaksFoundNow()) {
        std::fprintf(stderr, "FAILED: LeakSanitizer found leaks after the games were released\n");
        ok = false;
    }
    for (std::uint32_t seed : failed) {
        std::fprintf(stderr, "FAILED seed %u; replay: %s --seed %u --frames %d%s%s --log\n", seed,
                     argv[0], seed, a.frames, a.data != nullptr ? " --data " : "",
                     a.data != nullptr ? a.data : "");
    }
    return ok ? 0 : 1;
}
