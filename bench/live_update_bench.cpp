// Cost of one frame of the play rules, LiveMode::update, without drawing: at the start of play
// (35 links, 2 pieces on the chain) and late in a game (101 links, 12 pieces on the chain), with
// the 100 squares fading and the dealt piece rolling. Every frame also counts the heap
// allocations made inside update, which must stay at zero in steady play.
#include "app/Replays.h"
#include "physics/Chain.h"
#include "play/LiveMode.h"
#include "play/State.h"
#include "play/Gear.h"
#include "support/AllocationCounter.h"
#include "support/PlayScene.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

namespace {

void runUpdate(benchmark::State& state, Stage stage) {
    PlayScene scene(stage);
    std::uint64_t allocations = 0;
    std::uint64_t contacts = 0;
    for (auto _ : state) {
        scene.holdSteady();
        scene.tick();
        const allocation_counter::Scope scope;
        scene.mode.update();
        allocations += scope.count();
        for (const Body* piece : scene.mode.chain->gears) {
            contacts += piece->caughtJoint != nullptr ? 1 : 0;
        }
        benchmark::ClobberMemory();
    }
    state.counters["links"] = static_cast<double>(scene.mode.chain->links.size());
    state.counters["on_chain"] = static_cast<double>(scene.mode.chain->gears.size());
    state.counters["allocs_per_update"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["pieces_touched"] =
        benchmark::Counter(static_cast<double>(contacts), benchmark::Counter::kAvgIterations);
}

// What holdSteady alone costs, to subtract from the figures above if one wants to.
void runHoldSteady(benchmark::State& state, Stage stage) {
    PlayScene scene(stage);
    for (auto _ : state) {
        scene.holdSteady();
        benchmark::ClobberMemory();
    }
}

// What recording a game adds to a frame: the frame's length and two pointer moves, as a player's
// frame brings them (against updateLate's whole frame).
void recordFrame(benchmark::State& state) {
    State* const saved = currentState;
    currentState = &liveMode; // a game in play, as far as the recorder asks
    recorder.afterInput();
    int x = 0;
    for (auto _ : state) {
        recorder.event(Replay::Kind::motion, 0, 0, 400 + (x & 15), 300);
        recorder.event(Replay::Kind::motion, 0, 0, 401 + (x & 15), 301);
        recorder.afterFrame();
        ++x;
    }
    currentState = saved;
    recorder.afterFrame(); // the game is no longer in play: the recording ends
}

void updateAtStart(benchmark::State& state) {
    runUpdate(state, Stage::Start);
}
void updateLate(benchmark::State& state) {
    runUpdate(state, Stage::Late);
}
void holdSteadyLate(benchmark::State& state) {
    runHoldSteady(state, Stage::Late);
}

} // namespace

BENCHMARK(updateAtStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(updateLate)->Unit(benchmark::kMicrosecond);
BENCHMARK(holdSteadyLate)->Unit(benchmark::kMicrosecond);
BENCHMARK(recordFrame)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // Silent and quick: no sound device, so a play costs nothing and no mixer thread runs beside
    // the measurement.
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
