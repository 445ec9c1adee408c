// Memory over a whole game, without a window: a full 240-second game played through LiveMode at a
// fixed frame step by the scripted player (pieces dealt and dragged onto the chain, some lifted
// off and thrown into the bin, gears added with the A key), with the board kept lit so that the
// game runs its full length and is won. The resident size is read from /proc/self/statm at
// minute 1 and minute 4 of game time: a frame allocates nothing, so the two should match. Every
// frame also runs the play field's draw (GL calls are no-ops here).
#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "app/Records.h"
#include "physics/Chain.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "play/State.h"
#include "support/AllocationCounter.h"
#include "support/PlayScene.h"
#include "support/ScriptedPlayer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int enterAtMs = 5000;

void wholeGame(benchmark::State& state) {
    const int stepMs = static_cast<int>(state.range(0));
    activeCamera = &camera;
    double rssMinute1 = 0.0;
    double rssMinute4 = 0.0;
    std::uint64_t allocationsMinute1 = 0;
    std::uint64_t allocationsMinute4 = 0;
    double linksMinute1 = 0.0;
    double linksMinute4 = 0.0;
    int frames = 0;
    bool won = false;
    ScriptedPlayer player;

    for (auto _ : state) {
        LiveMode mode{frameClock, &endState, &records.current()};
        int nowMs = enterAtMs;
        advanceFrameClock(nowMs);
        mode.enter(nullptr);
        currentState = &mode;
        player = ScriptedPlayer{};
        bool minute1 = false;
        bool minute4 = false;
        for (frames = 0; currentState == &mode; ++frames) {
            nowMs += stepMs;
            advanceFrameClock(nowMs);
            const int gameMs = nowMs - enterAtMs;
            player.act(mode, gameMs);
            keepBoardLit(mode);
            mode.update();
            if (currentState == &mode) {
                mode.draw();
            }
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
    state.counters["placed"] = player.placed;
    state.counters["binned"] = player.binned;
    state.counters["a_key"] = player.added;
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
