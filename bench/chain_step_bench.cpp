// Cost of one chain step, the game's hot loop: one step is one millisecond of play. Loops of the
// starting 35 links, a late game's 101 and the 150-pass ceiling's 825, with a few to many pieces
// on the chain.
#include "physics/Chain.h"
#include "play/Gear.h"
#include "play/PlayField.h"
#include "support/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Scene {
    Chain chain;
    std::vector<std::unique_ptr<Gear>> pieces;

    Scene(int links, int pieceCount)
        : chain(links, 25.0f, "./img/link.png", {-295.0f, -230.0f, 0.0f}, field::jointEdges) {
        // The motor where the game puts it, then plain gears.
        pieces.push_back(std::make_unique<Gear>(50.0f, "./img/motor.png", 200.0f));
        pieces.back()->position = {-236.0f, -171.0f, 0.0f};
        for (int i = 1; i < pieceCount; ++i) {
            pieces.push_back(std::make_unique<Gear>(25.0f, "./img/gear.png", 0.0f));
        }
        for (auto& piece : pieces) {
            chain.attach(piece.get());
        }
    }

    // Put every plain gear a little off a joint spread along the loop, so each step finds
    // joints inside it and has to push them out and turn the gear.
    void layPieces() {
        const std::size_t n = chain.joints.size();
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Vec3 p = chain.joints[i * n / pieces.size()]->position;
            pieces[i]->position = {p.x + 6.0f, p.y - 4.0f, 0.0f};
        }
    }
};

void chainStep(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    const int pieceCount = static_cast<int>(state.range(1));
    Scene scene(links, pieceCount);
    constexpr float stepSeconds = 0.001f; // the game's chain clock
    for (int i = 0; i < 60; ++i) {        // let the far joints come onto the board first
        scene.layPieces();
        scene.chain.step(stepSeconds);
    }

    std::uint64_t allocations = 0;
    std::uint64_t contacts = 0;
    const double start = threadSeconds();
    for (auto _ : state) {
        scene.layPieces();
        const allocation_counter::Scope scope;
        scene.chain.step(stepSeconds);
        allocations += scope.count();
        for (const auto& piece : scene.pieces) {
            contacts += piece->caughtJoint != nullptr ? 1 : 0;
        }
        benchmark::ClobberMemory();
    }
    const double elapsedNs = (threadSeconds() - start) * 1e9;

    const double joints = static_cast<double>(scene.chain.joints.size());
    const double updates =
        scene.chain.passCount() * (static_cast<double>(scene.chain.links.size()) + joints +
                                   static_cast<double>(pieceCount) * joints);
    // Processor time of the loop (laying the pieces included, a few stores) per elementary
    // update; processor time, so that other work on the machine disturbs it less.
    state.counters["ns_per_update"] =
        elapsedNs / (static_cast<double>(state.iterations()) * updates);
    state.counters["updates"] = updates;
    state.counters["allocs_per_step"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["pieces_touched"] =
        benchmark::Counter(static_cast<double>(contacts), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(chainStep)
    ->ArgNames({"links", "pieces"})
    ->ArgsProduct({{35, 101, 825}, {2, 10, 30}})
    // With --benchmark_repetitions: other work on a shared machine only ever adds time, so the
    // fastest repetition is the best estimate of the step's own cost.
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                            return *std::min_element(v.begin(), v.end());
                        })
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
