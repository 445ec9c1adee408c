// Memory over a whole game, without a window: a full 240-second game played through LiveMode at a
// fixed frame step, with pieces dealt, dragged onto the board through the play state's own mouse
// handling, thrown into the bin now and then, plain gears added with the A key, and the board
// kept lit so that the game runs its full length and is won. The resident size is read from
// /proc/self/statm at minute 1 and minute 4 of game time: a frame allocates nothing, so the two
// should match. Every frame also runs the play field's draw (GL calls are no-ops here).
#include "app/Camera.h"
#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "support/AllocationCounter.h"
#include "support/PlayScene.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int enterAtMs = 5000;

double residentKb() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

double peakResidentKb() {
    double peak = 0.0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f) != nullptr) {
            if (std::strncmp(line, "VmHWM:", 6) == 0) {
                peak = std::atof(line + 6);
            }
        }
        std::fclose(f);
    }
    return peak;
}

// Window pixels of a world point, for the camera's 800 by 600 window.
int pixelX(float x) {
    return static_cast<int>(x + 400.0f);
}
int pixelY(float y) {
    return static_cast<int>(300.0f - y);
}

// Presses on the piece, drags it to the target in a few motion events and releases it there.
void drag(LiveMode& mode, const Gear& piece, Vec3 target) {
    const Vec3 from = piece.position;
    mode.mouse(0, 0, pixelX(from.x), pixelY(from.y));
    for (int step = 1; step <= 4; ++step) {
        const float t = static_cast<float>(step) / 4.0f;
        mode.motion(pixelX(from.x + (target.x - from.x) * t),
                    pixelY(from.y + (target.y - from.y) * t));
    }
    mode.mouse(0, 1, pixelX(target.x), pixelY(target.y));
}

// The dealt piece, grown and rolling in the chute, or none.
Gear* dealtPiece(const LiveMode& mode) {
    for (Gear* p : mode.gears) {
        if (!p->placed && !p->discarding && p->chuteTime > 0.6f && p->chuteTime < 4.0f) {
            return p;
        }
    }
    return nullptr;
}

struct Moves {
    int placed = 0;
    int binned = 0;
    int added = 0;
};

// What the player does at this moment of the game (every call is one frame).
void play(LiveMode& mode, int frame, int framesPerSecond, Moves& moves) {
    const int second = frame / framesPerSecond;
    const bool startOfSecond = frame % framesPerSecond == 0;
    if (!startOfSecond) {
        return;
    }
    int placed = 0;
    for (const Gear* p : mode.gears) {
        placed += p->placed && !p->discarding ? 1 : 0;
    }
    if (second % 3 == 0 && placed < 12) {
        if (Gear* p = dealtPiece(mode)) {
            // Onto the chain, somewhere along the loop.
            const auto& joints = mode.chain->joints;
            const Vec3 at = joints[static_cast<std::size_t>(second) % joints.size()]->position;
            drag(mode, *p, {at.x + 10.0f, at.y + 10.0f, 0.0f});
            moves.placed += p->placed ? 1 : 0;
        }
    }
    if (second % 20 == 10) {
        // A double press lifts the oldest placed piece off the board and the chain...
        for (Gear* p : mode.gears) {
            if (p != mode.motor && p->placed && !p->discarding) {
                const int x = pixelX(p->position.x);
                const int y = pixelY(p->position.y);
                mode.mouse(0, 0, x, y);
                mode.mouse(0, 1, x, y);
                mode.mouse(0, 0, x, y);
                mode.mouse(0, 1, x, y);
                break;
            }
        }
    }
    if (second % 20 == 11 && mode.carrying) {
        // ...and a second later it is carried over the bin and dropped there.
        const Gear* held = mode.heldGear;
        mode.passiveMotion(pixelX(-352.0f), pixelY(-215.0f));
        mode.mouse(0, 0, pixelX(-352.0f), pixelY(-215.0f));
        mode.mouse(0, 1, pixelX(-352.0f), pixelY(-215.0f));
        moves.binned += held != nullptr && held->discarding ? 1 : 0;
    }
    if (second % 30 == 15) {
        mode.keyboard('a', 0, 0);
        ++moves.added;
    }
}

// The player's bulbs would do this; here the board is simply kept from going dark.
void keepLit(LiveMode& mode) {
    for (BoardSquare* square : mode.squares) {
        if (square->light < 50.0f) {
            square->relight(30.0f);
        }
    }
}

void wholeGame(benchmark::State& state) {
    const int stepMs = static_cast<int>(state.range(0));
    const int framesPerSecond = 1000 / stepMs;
    activeCamera = &camera;
    double rssMinute1 = 0.0;
    double rssMinute4 = 0.0;
    std::uint64_t allocationsMinute1 = 0;
    std::uint64_t allocationsMinute4 = 0;
    double linksMinute1 = 0.0;
    double linksMinute4 = 0.0;
    int frames = 0;
    bool won = false;
    Moves moves;

    for (auto _ : state) {
        LiveMode mode;
        int nowMs = enterAtMs;
        advanceFrameClock(nowMs);
        mode.enter(nullptr);
        currentState = &mode;
        moves = Moves{};
        bool minute1 = false;
        bool minute4 = false;
        for (frames = 0; currentState == &mode; ++frames) {
            nowMs += stepMs;
            advanceFrameClock(nowMs);
            play(mode, frames, framesPerSecond, moves);
            keepLit(mode);
            mode.update();
            if (currentState == &mode) {
                mode.draw();
            }
            const int gameMs = nowMs - enterAtMs;
            if (!minute1 && gameMs >= 60000) {
                minute1 = true;
                rssMinute1 = residentKb();
                allocationsMinute1 = allocation_counter::allocations();
                linksMinute1 = static_cast<double>(mode.chain->links.size());
            } else if (!minute4 && gameMs >= 239000) {
                minute4 = true;
                rssMinute4 = residentKb();
                allocationsMinute4 = allocation_counter::allocations();
                linksMinute4 = static_cast<double>(mode.chain->links.size());
            }
        }
        won = mode.won;
        currentState = nullptr;
        mode.release(nullptr);
    }
    state.counters["frames"] = frames;
    state.counters["won"] = won ? 1 : 0;
    state.counters["rss_min1_kB"] = rssMinute1;
    state.counters["rss_min4_kB"] = rssMinute4;
    state.counters["growth_kB"] = rssMinute4 - rssMinute1;
    state.counters["peak_kB"] = peakResidentKb();
    state.counters["news_min1_to_4"] = static_cast<double>(allocationsMinute4 - allocationsMinute1);
    state.counters["links_min1"] = linksMinute1;
    state.counters["links_min4"] = linksMinute4;
    state.counters["placed"] = moves.placed;
    state.counters["binned"] = moves.binned;
    state.counters["a_key"] = moves.added;
}

} // namespace

// Frame steps of 5, 10 and 16 ms: 200, 100 and 62 frames a second.
BENCHMARK(wholeGame)->Arg(5)->Arg(10)->Arg(16)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "none", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    useGameDataDirectory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
