// How well a player does over whole games: seeded games without a window, one line per game and
// a summary for each frame length, optionally a check that the longer frames do not cost the
// player its survival.
//
//   gridlume_gameplay [--games N] [--seed FIRST] [--frame MS[,MS...]]
//                     [--player competent|passive] [--cap SECONDS] [--max-drop PERCENT]
//                     [--min-median SECONDS] [--data DIR] [--log]
//
// Game i of a frame length is played with seed FIRST + i, so every frame length sees the same
// players. --cap stops a game that has not ended by then (it counts with the time played).
// --max-drop fails the run when the median survival at any later frame length falls below the
// first one's by more than PERCENT; --min-median fails it when any median is below SECONDS (a
// chain that stops at every frame rate alike costs nothing relative to the first). --data runs from
// DIR, so that ./img/ and ./sounds/ load.
#include "support/Gameplay.h"
#include "support/QuietOutput.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Arguments {
    int games = 20;
    std::uint32_t seed = 1;
    std::vector<int> frames{16};
    PlayerKind player = PlayerKind::Competent;
    float cap = 300.0f;
    double maxDrop = -1.0; // percent; negative: no check
    double minMedian = 0.0;
    const char* data = nullptr;
    bool log = false;
};

bool parseFrames(const char* value, std::vector<int>& frames) {
    frames.clear();
    std::istringstream in(value);
    std::string item;
    while (std::getline(in, item, ',')) {
        const int ms = std::atoi(item.c_str());
        if (ms <= 0) {
            return false;
        }
        frames.push_back(ms);
    }
    return !frames.empty();
}

bool parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--log") {
            a.log = true;
            continue;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            return false;
        }
        ++i;
        if (arg == "--games") {
            a.games = std::atoi(value);
        } else if (arg == "--seed") {
            a.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (arg == "--frame") {
            if (!parseFrames(value, a.frames)) {
                return false;
            }
        } else if (arg == "--player") {
            const std::string name = value;
            if (name != "competent" && name != "passive") {
                return false;
            }
            a.player = name == "competent" ? PlayerKind::Competent : PlayerKind::Passive;
        } else if (arg == "--cap") {
            a.cap = static_cast<float>(std::atof(value));
        } else if (arg == "--max-drop") {
            a.maxDrop = std::atof(value);
        } else if (arg == "--min-median") {
            a.minMedian = std::atof(value);
        } else if (arg == "--data") {
            a.data = value;
        } else {
            return false;
        }
    }
    return a.games > 0 && a.cap > 0.0f;
}

} // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!parse(argc, argv, a)) {
        std::fprintf(stderr,
                     "usage: %s [--games N] [--seed FIRST] [--frame MS[,MS...]] "
                     "[--player competent|passive] [--cap SECONDS] [--max-drop PERCENT] "
                     "[--min-median SECONDS] [--data DIR] [--log]\n",
                     argv[0]);
        return 2;
    }
    if (a.data != nullptr && chdir(a.data) != 0) {
        std::perror(a.data);
        return 2;
    }

    const std::clock_t started = std::clock();
    std::vector<GameplaySummary> summaries;
    for (int frameMs : a.frames) {
        std::vector<GameplayResult> results;
        for (int i = 0; i < a.games; ++i) {
            GameplayOptions options;
            options.player = a.player;
            options.seed = a.seed + static_cast<std::uint32_t>(i);
            options.frameMs = frameMs;
            options.capSeconds = a.cap;
            GameplayResult result;
            {
                QuietOutput quiet(!a.log);
                result = playGameplay(options);
            }
            std::printf("%s, %d ms frames, seed %u: %s\n", playerName(a.player), frameMs,
                        options.seed, describeGame(result).c_str());
            std::fflush(stdout);
            results.push_back(result);
        }
        summaries.push_back(summarise(results));
        std::printf("%s, %d ms frames: %s\n", playerName(a.player), frameMs,
                    describeSummary(summaries.back()).c_str());
    }
    std::printf("%.1f s of CPU\n", static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC);

    bool ok = true;
    for (std::size_t k = 0; k < summaries.size(); ++k) {
        if (summaries[k].medianSeconds < a.minMedian) {
            std::printf("FAILED: median survival at %d ms frames is %.1f s, below %.1f s\n",
                        a.frames[k], static_cast<double>(summaries[k].medianSeconds), a.minMedian);
            ok = false;
        }
    }
    for (std::size_t k = 1; k < summaries.size() && a.maxDrop >= 0.0; ++k) {
        const double first = summaries.front().medianSeconds;
        const double drop = 100.0 * (first - summaries[k].medianSeconds) / first;
        if (drop > a.maxDrop) {
            std::printf("FAILED: median survival at %d ms frames is %.1f %% below %d ms frames\n",
                        a.frames[k], drop, a.frames.front());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
