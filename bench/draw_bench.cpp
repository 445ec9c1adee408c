// Cost of drawing the play field under a real GL context (run it under Xvfb), against the floor
// for the same picture: the same quads drawn by a bare loop of display-list calls. glFinish ends
// every iteration, so the rasteriser's work is counted, not just the handing over of commands.
//
// Two loop modes serve the frame-rate script; each runs a GLUT main loop that swaps buffers like
// the game and prints its frames per second after the given seconds:
//   draw_bench --loop=bare SECONDS   the bare quads of the start of play
//   draw_bench --loop=frame SECONDS  the game's own update and draw of the same scene
// and one more for the memory script:
//   draw_bench --loop=game 0         a whole game on the real frame clock, played by the
//                                    scripted player, then its resident sizes
#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "app/Records.h"
#include "physics/Chain.h"
#include "play/State.h"
#include "support/AllocationCounter.h"
#include "support/BareQuads.h"
#include "support/PlayScene.h"
#include "support/ScriptedPlayer.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// CPU time of the whole process, the rasteriser's threads included: what a frame costs the
// machine, and much steadier than the wall clock while other work shares the cores.
double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

PlayScene& scene(Stage stage) {
    // Built on first use, after the window exists, and kept: textures are loaded once.
    static std::unique_ptr<PlayScene> start;
    static std::unique_ptr<PlayScene> late;
    std::unique_ptr<PlayScene>& slot = stage == Stage::Start ? start : late;
    if (!slot) {
        slot = std::make_unique<PlayScene>(stage);
    }
    return *slot;
}

template <typename Draw>
void timeFrames(benchmark::State& state, int sprites, Draw draw) {
    draw(); // the first draw of a new state combination compiles shaders: keep it out
    glFinish();
    std::uint64_t allocations = 0;
    double submitSeconds = 0.0;
    const double cpuStart = processCpuSeconds();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const auto begin = Clock::now();
        const allocation_counter::Scope scope;
        draw();
        allocations += scope.count();
        submitSeconds += std::chrono::duration<double>(Clock::now() - begin).count();
        glFinish();
    }
    const double cpuSeconds = processCpuSeconds() - cpuStart;
    state.counters["sprites"] = sprites;
    state.counters["process_cpu_us"] =
        benchmark::Counter(cpuSeconds * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["allocs_per_draw"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["submit_us"] =
        benchmark::Counter(submitSeconds * 1e6, benchmark::Counter::kAvgIterations);
}

void playFieldDraw(benchmark::State& state, Stage stage) {
    PlayScene& s = scene(stage);
    s.holdSteady();
    timeFrames(state, s.spriteCount(), [&s] {
        glPushMatrix();
        s.mode.draw();
        glPopMatrix();
    });
}

// The frame as it stands in the back buffer.
std::vector<unsigned char> readFrame() {
    std::vector<unsigned char> pixels(800 * 600 * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Pixels in which the game's draw and the bare quads differ: 0 means the floor draws exactly
// the game's picture, so the rasteriser does the same work for both.
double differingPixels(PlayScene& s, const std::vector<BareQuad>& quads) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    s.mode.draw();
    glPopMatrix();
    const std::vector<unsigned char> game = readFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBareQuads(quads);
    const std::vector<unsigned char> bare = readFrame();
    double differing = 0.0;
    for (std::size_t i = 0; i < game.size(); i += 4) {
        if (game[i] != bare[i] || game[i + 1] != bare[i + 1] || game[i + 2] != bare[i + 2]) {
            differing += 1.0;
        }
    }
    return differing;
}

void bareQuads(benchmark::State& state, Stage stage) {
    PlayScene& s = scene(stage);
    s.holdSteady();
    const std::vector<BareQuad> quads = captureQuads(s.mode);
    timeFrames(state, static_cast<int>(quads.size()), [&quads] { drawBareQuads(quads); });
    state.counters["pixels_unlike_game"] = differingPixels(s, quads);
}

// One layer of the late picture at a time (the clear alone for -1): where the frame's time goes.
void bareLayerLate(benchmark::State& state) {
    PlayScene& s = scene(Stage::Late);
    s.holdSteady();
    std::vector<std::size_t> ends;
    const std::vector<BareQuad> quads = captureQuads(s.mode, &ends);
    const auto layer = static_cast<int>(state.range(0));
    const std::size_t begin = layer <= 0 ? 0 : ends[static_cast<std::size_t>(layer - 1)];
    const std::size_t end = layer < 0 ? 0 : ends[static_cast<std::size_t>(layer)];
    timeFrames(state, static_cast<int>(end - begin),
               [&quads, begin, end] { drawBareQuads(quads, begin, end); });
}

void drawAtStart(benchmark::State& state) {
    playFieldDraw(state, Stage::Start);
}
void bareQuadsAtStart(benchmark::State& state) {
    bareQuads(state, Stage::Start);
}
void drawLate(benchmark::State& state) {
    playFieldDraw(state, Stage::Late);
}
void bareQuadsLate(benchmark::State& state) {
    bareQuads(state, Stage::Late);
}

// --- Loop modes ------------------------------------------------------------------------------

struct Loop {
    bool bare = true;
    double seconds = 10.0;
    std::vector<BareQuad> quads;
    PlayScene* scene = nullptr;
    int frames = -1; // the first swap starts the count
    Clock::time_point first;
};
Loop loop;

void loopDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (loop.bare) {
        drawBareQuads(loop.quads);
    } else {
        loop.scene->mode.draw();
    }
    glPopMatrix();
    glutSwapBuffers();
    const auto now = Clock::now();
    if (++loop.frames == 0) {
        loop.first = now;
        return;
    }
    const double elapsed = std::chrono::duration<double>(now - loop.first).count();
    if (elapsed >= loop.seconds) {
        std::printf("%s: %d frames in %.3f s: %.1f fps\n", loop.bare ? "bare" : "frame",
                    loop.frames, elapsed, loop.frames / elapsed);
        std::fflush(stdout);
        std::exit(0);
    }
}

void loopIdle() {
    if (!loop.bare) {
        loop.scene->holdSteady();
        loop.scene->tick();
        loop.scene->mode.update();
    }
    glutPostRedisplay();
}

void loopReshape(int width, int height) {
    camera.reshape(width, height);
}

// --- A whole game in the window ---------------------------------------------------------------

struct WholeGame {
    LiveMode mode{frameClock, &endState, &records.current()};
    ScriptedPlayer player;
    int enteredMs = 0;
    int frames = 0;
    double rssMinute1 = 0.0;
    double rssMinute4 = 0.0;
    int lastSample = -1;
};
WholeGame* game = nullptr;

// The game's own idle step, with the player acting first.
void gameIdle() {
    advanceFrameClock(glutGet(GLUT_ELAPSED_TIME));
    const int gameMs = elapsedMs - game->enteredMs;
    if (currentState == &game->mode) {
        game->player.act(game->mode, gameMs);
        keepBoardLit(game->mode);
        game->mode.update();
        ++game->frames;
    }
    if (gameMs / 10000 != game->lastSample && game->mode.chain != nullptr) {
        // A step in these points to one event; a slope would be a leak.
        game->lastSample = gameMs / 10000;
        std::printf("game: resident at %3d s: %.0f kB, %zu links, %zu pieces\n", gameMs / 1000,
                    residentKb(), game->mode.chain->links.size(), game->mode.gears.size());
    }
    if (game->rssMinute1 == 0.0 && gameMs >= 60000) {
        game->rssMinute1 = residentKb();
    }
    if (game->rssMinute4 == 0.0 && gameMs >= 239000) {
        game->rssMinute4 = residentKb();
    }
    if (currentState != &game->mode) {
        const double seconds = gameMs / 1000.0;
        std::printf("game: %s after %.1f s, %d frames (%.1f fps), %d placed, %d binned, "
                    "%d added, %zu links; resident at minute 1 %.0f kB, at minute 4 %.0f kB, "
                    "growth %.0f kB, peak %.0f kB\n",
                    game->mode.won ? "won" : "lost", seconds, game->frames, game->frames / seconds,
                    game->player.placed, game->player.binned, game->player.added,
                    game->mode.chain->links.size(), game->rssMinute1, game->rssMinute4,
                    game->rssMinute4 - game->rssMinute1, peakResidentKb());
        std::fflush(stdout);
        std::exit(0);
    }
    glutPostRedisplay();
}

int runWholeGame() {
    game = new WholeGame;
    advanceFrameClock(glutGet(GLUT_ELAPSED_TIME));
    game->enteredMs = elapsedMs;
    game->mode.enter(nullptr);
    currentState = &game->mode;
    glutReshapeFunc(loopReshape);
    glutDisplayFunc(onDisplay);
    glutIdleFunc(gameIdle);
    glutMainLoop();
    return 0;
}

int runLoop(const char* mode, double seconds) {
    if (std::strcmp(mode, "game") == 0) {
        return runWholeGame();
    }
    loop.bare = std::strcmp(mode, "bare") == 0;
    loop.seconds = seconds;
    loop.scene = &scene(Stage::Start);
    loop.scene->holdSteady();
    loop.quads = captureQuads(loop.scene->mode);
    glutReshapeFunc(loopReshape);
    glutDisplayFunc(loopDisplay);
    glutIdleFunc(loopIdle);
    glutMainLoop();
    return 0;
}

} // namespace

BENCHMARK(drawAtStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(bareQuadsAtStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(drawLate)->Unit(benchmark::kMicrosecond);
BENCHMARK(bareQuadsLate)->Unit(benchmark::kMicrosecond);
// -1 the clear alone; 0 background, 1 squares, 2 pieces and icons, 3 links, 4 joints, 5 marker.
BENCHMARK(bareLayerLate)->DenseRange(-1, LayerCount - 1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "none", 0);
    openGameWindow(&argc, argv);
    useGameDataDirectory();
    if (argc >= 3 && std::strncmp(argv[1], "--loop=", 7) == 0) {
        return runLoop(argv[1] + 7, std::atof(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
