// How well a player does over whole games: seeded games without a window, played through the play
// state's input at a fixed frame length, one line per game and a summary for each frame length.
// Every game is dealt the same pieces; the seed varies only the player's own choices.
//
//   gridlume_gameplay [--games N] [--seed FIRST] [--frame MS[,MS...]]
//                     [--player competent|novice|passive] [--relaxed] [--cap SECONDS]
//                     [--max-drop PERCENT] [--min-median SECONDS] [--beat-passive SHARE]
//                     [--max-dead-at-end N] [--data DIR] [--log] [--shots DIR] [--no-relay]
//                     [--trace] [--replays DIR]
//
// Game i of a frame length is played with seed FIRST + i, so every frame length sees the same
// players. --cap stops a game that has not ended by then (it counts with the time played).
// --max-drop fails the run when the median survival at any later frame length falls below the
// first one's by more than PERCENT; --min-median fails it when any median is below SECONDS (a
// chain that stops at every frame rate alike costs nothing relative to the first). The first game
// is played twice and must come out the same: the figures of docs/gameplay.md rest on that.
// --beat-passive fails the run unless every median beats a passive game's survival (with the same
// mode and cap) by SHARE of the time that game leaves to the end: a player whose moves do no
// good, or who makes none, ends with the passive player, whatever the mode's fading.
// --max-dead-at-end fails the run when more games than N end with a chain dead through their last
// 30 s. --no-relay plays without the C key; --shots draws the board (under Xvfb) into DIR as each
// stretch of a dead chain begins.
// --trace (under Xvfb) prints, frame by frame between the game's own log lines, a hash of what the
// frame drew as GL hands it back: two builds that print the same trace drew the same game.
// --replays DIR plays through the window system's callbacks, as a player does, and records every
// game there as the game keeps its replays.
// --relaxed plays the relaxed mode. --data runs from DIR, so that ./img/ and ./sounds/ load.
#include "support/CompetentPlayer.h"
#include "support/GlWindow.h"
#include "support/Monkey.h"
#include "support/NovicePlayer.h"
#include "support/PlayerHand.h"
#include "support/QuietOutput.h"

#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "app/GlSwitches.h"
#include "app/Replays.h"
#include "physics/Chain.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "states/EndState.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr int startLinks = 35;
constexpr int linksPerPayout = 6;

struct Arguments {
    int games = 20;
    std::uint32_t seed = 1;
    std::vector<int> frames{16};
    std::string player = "competent";
    bool relaxed = false;
    float cap = 300.0f;
    double maxDrop = -1.0; // percent; negative: no check
    double minMedian = 0.0;
    double beatPassive = -1.0; // share of the passive game's time left; negative: no check
    int maxDeadAtEnd = -1;     // games whose chain is dead at the end; negative: no check
    bool relay = true;         // the game offers C and its button
    const char* data = nullptr;
    bool log = false;
    const char* shots = nullptr; // folder for a picture of the board as each dead stretch begins
    bool trace = false;
};

struct Result {
    bool ended = false; // lost or won before the cap
    bool won = false;
    float seconds = 0.0f; // of play, to the end or the cap
    int bulbPayouts = 0;
    int linkPayouts = 0;
    int links = 0; // at the end
    int placed = 0;
    int skipped = 0;
    int binned = 0;
    int replaced = 0;
    std::vector<DeadEpisode> episodes;
    bool deadAtEnd = false; // dead through the last deadAtEndSeconds of play
};

// A game's chain counts as dead at the end when it was dead this long before the end.
constexpr float deadAtEndSeconds = 30.0f;

// Payouts as the screen shows them: a bulb's icon shrinks by one charge on the board, the chain
// gains six links.
class PayoutCounter {
public:
    void look(const LiveMode& game, Result& result) {
        std::unordered_map<const Gear*, int> now;
        for (const Gear* p : game.gears) {
            const auto it = charges.find(p);
            // A new piece at a freed address is not on the board yet, so it never counts.
            if (it != charges.end() && p->placed && p->payload == Bulb && p->charges < it->second) {
                result.bulbPayouts += it->second - p->charges;
            }
            now[p] = p->charges;
        }
        charges.swap(now);
        if (game.chain != nullptr) {
            result.links = static_cast<int>(game.chain->links.size());
            result.linkPayouts = (result.links - startLinks) / linksPerPayout;
        }
    }

private:
    std::unordered_map<const Gear*, int> charges;
};

// The board as the game draws it, into a PPM file.
void snapshot(const char* path) {
    constexpr int width = 800;
    constexpr int height = 600;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    liveMode.draw();
    glPopMatrix();
    std::vector<unsigned char> rgb(width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) {
        std::perror(path);
        return;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row) {
        std::fwrite(rgb.data() + static_cast<std::size_t>(row) * width * 3, 1, width * 3, f);
    }
    std::fclose(f);
}

// One frame drawn as the display callback draws it, in GL's feedback mode: every vertex with its
// colour and texture coordinates, hashed (FNV-1a over the floats' bits).
void traceFrame(int frame) {
    static std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    onDisplay();
    const GLint used = glRenderMode(GL_RENDER);
    std::uint64_t hash = 14695981039346656037ull;
    for (GLint i = 0; i < used; ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, &buffer[static_cast<std::size_t>(i)], sizeof bits);
        hash = (hash ^ bits) * 1099511628211ull;
    }
    std::printf("frame %d: %d floats, %016llx\n", frame, static_cast<int>(used),
                static_cast<unsigned long long>(hash));
}

Result play(const Arguments& a, std::uint32_t seed, int frameLength) {
    releasePlayState();
    dealGenerator.reset();
    elapsedMs = previousMs = frameMs = 0;
    frameSeconds = 0.0f;
    camera.reset();
    activeCamera = &camera;
    currentState = &liveMode;
    liveMode.relaxed = a.relaxed;
    liveMode.relayAllowed = a.relay;
    liveMode.enter(nullptr);
    recorder.afterInput(); // the game in play starts recording, if a folder asks for it

    std::unique_ptr<CompetentPlayer> competent;
    std::unique_ptr<NovicePlayer> novice;
    if (a.player == "competent") {
        competent = std::make_unique<CompetentPlayer>(seed);
    } else if (a.player == "novice") {
        novice = std::make_unique<NovicePlayer>(seed);
    }
    Result result;
    PayoutCounter payouts;
    std::size_t episodesShot = 0;
    const int capMs = static_cast<int>(a.cap * 1000.0f);
    for (int nowMs = 0; currentState == &liveMode && nowMs < capMs;) {
        if (competent != nullptr) {
            competent->act(liveMode);
        } else if (novice != nullptr) {
            novice->act(liveMode);
        }
        nowMs += frameLength;
        idleStep(nowMs);
        recorder.afterFrame();
        if (a.trace) {
            traceFrame(nowMs / frameLength);
        }
        payouts.look(liveMode, result);
        if (a.shots != nullptr && liveMode.watch.episodes.size() > episodesShot) {
            episodesShot = liveMode.watch.episodes.size();
            char name[512];
            std::snprintf(name, sizeof name, "%s/seed%u-%dms-%.1fs.ppm", a.shots, seed, frameLength,
                          static_cast<double>(liveMode.watch.episodes.back().began));
            snapshot(name);
        }
    }
    result.ended = currentState == &endState;
    if (a.trace && result.ended) {
        traceFrame(-1); // the end screen
    }
    result.won = result.ended && liveMode.won;
    result.seconds = clockSeconds() - liveMode.gameStart;
    result.episodes = liveMode.watch.episodes;
    result.deadAtEnd = liveMode.watch.deadSince(result.seconds - deadAtEndSeconds);
    if (competent != nullptr) {
        result.placed = competent->placed;
        result.skipped = competent->skipped;
        result.binned = competent->binned;
        result.replaced = competent->replaced;
    } else if (novice != nullptr) {
        result.placed = novice->placed;
        result.binned = novice->binned;
    }
    recorder.quit(); // a game the cap stopped
    releasePlayState();
    return result;
}

// One line per dead stretch: when it began, what came just before, how the chain stood.
void printEpisodes(const Result& r) {
    for (const DeadEpisode& e : r.episodes) {
        char ended[64];
        if (e.ended < 0.0f) {
            std::snprintf(ended, sizeof ended, "dead to the end");
        } else {
            std::snprintf(ended, sizeof ended, "moving again at %.1f s",
                          static_cast<double>(e.ended));
        }
        std::printf("    chain dead from %.1f s, after %s at %.1f s: %s; %s\n",
                    static_cast<double>(e.began), eventName(e.before),
                    static_cast<double>(e.beforeAt), conditionName(e.condition), ended);
    }
}

std::string describe(const Result& r) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%s after %.1f s, %d bulb and %d add-link payouts, %d links; %d placed, "
                  "%d thrown away, %d binned, %d put back",
                  r.ended ? (r.won ? "won" : "lost") : "stopped", static_cast<double>(r.seconds),
                  r.bulbPayouts, r.linkPayouts, r.links, r.placed, r.skipped, r.binned, r.replaced);
    return line;
}

// Prints what a set of games came to; returns their median survival.
float summarise(const std::vector<Result>& results, const char* player, int frameLength) {
    std::vector<float> seconds;
    int wins = 0;
    int losses = 0;
    int deadAtEnd = 0;
    double bulbPayouts = 0.0;
    double linkPayouts = 0.0;
    for (const Result& r : results) {
        wins += r.won ? 1 : 0;
        losses += r.ended && !r.won ? 1 : 0;
        deadAtEnd += r.deadAtEnd ? 1 : 0;
        bulbPayouts += r.bulbPayouts;
        linkPayouts += r.linkPayouts;
        seconds.push_back(r.seconds);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const float median = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2.0f;
    std::printf("%s, %d ms frames: %zu games: %d won, %d lost, %zu stopped; survival median %.1f "
                "s, range %.1f-%.1f s; per game %.1f bulb and %.2f add-link payouts\n",
                player, frameLength, n, wins, losses, n - wins - losses,
                static_cast<double>(median), static_cast<double>(seconds.front()),
                static_cast<double>(seconds.back()), bulbPayouts / n, linkPayouts / n);
    std::printf("chain dead at the end: %d of %zu games\n", deadAtEnd, n);
    return median;
}

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
        if (arg == "--log" || arg == "--relaxed") {
            (arg == "--log" ? a.log : a.relaxed) = true;
            continue;
        }
        if (arg == "--no-relay" || arg == "--trace") {
            (arg == "--trace" ? a.trace : a.relay) = arg == "--trace";
            continue;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            return false;
        }
        ++i;
        const std::string name = value;
        if (arg == "--games") {
            a.games = std::atoi(value);
        } else if (arg == "--seed") {
            a.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (arg == "--frame") {
            if (!parseFrames(value, a.frames)) {
                return false;
            }
        } else if (arg == "--player" &&
                   (name == "competent" || name == "novice" || name == "passive")) {
            a.player = name;
        } else if (arg == "--cap") {
            a.cap = static_cast<float>(std::atof(value));
        } else if (arg == "--max-drop") {
            a.maxDrop = std::atof(value);
        } else if (arg == "--min-median") {
            a.minMedian = std::atof(value);
        } else if (arg == "--beat-passive") {
            a.beatPassive = std::atof(value);
        } else if (arg == "--data") {
            a.data = value;
        } else if (arg == "--max-dead-at-end") {
            a.maxDeadAtEnd = std::atoi(value);
        } else if (arg == "--replays") {
            recorder.folder = value;
            PlayerHand::throughCallbacks = true;
        } else if (arg == "--shots") {
            a.shots = value;
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
                     "[--player competent|novice|passive] [--relaxed] [--cap SECONDS] "
                     "[--max-drop PERCENT] "
                     "[--min-median SECONDS] [--beat-passive SHARE] [--max-dead-at-end N] "
                     "[--data DIR] [--log] "
                     "[--shots DIR] [--no-relay] [--trace] [--replays DIR]\n",
                     argv[0]);
        return 2;
    }
    if (a.data != nullptr && chdir(a.data) != 0) {
        std::perror(a.data);
        return 2;
    }
    if (a.shots != nullptr || a.trace) {
        ensureGlWindow(); // under Xvfb: the pictures are drawn as the game draws them
        setCulling(false);
        setDepthTest(false, false);
    }
    const std::string name = a.player + (a.relaxed ? " (relaxed)" : "");
    const char* player = name.c_str();
    auto quietly = [&](std::uint32_t seed, int frameLength) {
        QuietOutput quiet(!a.log);
        return play(a, seed, frameLength);
    };

    const std::clock_t started = std::clock();
    bool ok = true;
    std::vector<float> medians;
    for (const int frameLength : a.frames) {
        std::vector<Result> results;
        for (int i = 0; i < a.games; ++i) {
            const std::uint32_t seed = a.seed + static_cast<std::uint32_t>(i);
            results.push_back(quietly(seed, frameLength));
            std::printf("%s, %d ms frames, seed %u: %s\n", player, frameLength, seed,
                        describe(results.back()).c_str());
            printEpisodes(results.back());
            std::fflush(stdout);
        }
        if (medians.empty() &&
            describe(quietly(a.seed, frameLength)) != describe(results.front())) {
            std::printf("FAILED: seed %u did not replay its game\n", a.seed);
            ok = false;
        }
        medians.push_back(summarise(results, player, frameLength));
        const auto dead = std::count_if(results.begin(), results.end(),
                                        [](const Result& r) { return r.deadAtEnd; });
        if (a.maxDeadAtEnd >= 0 && dead > a.maxDeadAtEnd) {
            std::printf("FAILED: %ld games at %d ms frames end with a dead chain, at most %d may\n",
                        static_cast<long>(dead), frameLength, a.maxDeadAtEnd);
            ok = false;
        }
    }
    // Every seed deals the same pieces, and a passive player makes no choices: one game serves.
    float passive = 0.0f;
    if (a.beatPassive >= 0.0) {
        Arguments still = a;
        still.player = "passive";
        const Result r = [&] {
            QuietOutput quiet(!a.log);
            return play(still, a.seed, a.frames.front());
        }();
        passive = r.seconds;
        std::printf("passive%s: %s\n", a.relaxed ? " (relaxed)" : "", describe(r).c_str());
    }
    std::printf("%.1f s of CPU\n", static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC);

    for (std::size_t k = 0; k < medians.size(); ++k) {
        if (medians[k] < a.minMedian) {
            std::printf("FAILED: median survival at %d ms frames is %.1f s, below %.1f s\n",
                        a.frames[k], static_cast<double>(medians[k]), a.minMedian);
            ok = false;
        }
        const float end = std::min(a.cap, LiveMode::gameLength);
        const double needed = passive + a.beatPassive * (end - passive);
        if (a.beatPassive >= 0.0 && !(medians[k] > passive && medians[k] >= needed)) {
            std::printf("FAILED: median survival at %d ms frames is %.1f s, the passive game's "
                        "%.1f s; %.1f s needed\n",
                        a.frames[k], static_cast<double>(medians[k]), static_cast<double>(passive),
                        needed);
            ok = false;
        }
        const double drop = 100.0 * (medians.front() - medians[k]) / medians.front();
        if (k > 0 && a.maxDrop >= 0.0 && drop > a.maxDrop) {
            std::printf("FAILED: median survival at %d ms frames is %.1f %% below %d ms frames\n",
                        a.frames[k], drop, a.frames.front());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
