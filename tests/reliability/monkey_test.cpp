#include "support/HeapInUse.h"
#include "support/Monkey.h"

#include "app/Replays.h"
#include "play/LiveMode.h"
#include "play/State.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Seeds that once broke the game, kept so the faults stay mended. Each replays the game that found
// it (the player's moves depend only on the seed and on this version of the monkey).
struct Regression {
    std::uint32_t seed;
    const char* found;
};
constexpr Regression regressions[] = {
    {30, "a one-pixel-wide window left the camera with a height of 0, early in play"},
    {46, "the same with a helping player, 20 s into play"},
    {29, "the same with a smooth player, 6229 frames in"},
    {10, "a stalled frame of over 5.33 s dealt and binned pieces for ever (hung)"},
    {2, "the same with a helping player"},
};

class MonkeyTest : public ::testing::Test {
protected:
    void SetUp() override { saved = currentState; }
    void TearDown() override {
        releasePlayState();
        currentState = saved;
    }
    State* saved = nullptr;
};

MonkeyResult play(std::uint32_t seed) {
    MonkeyOptions options;
    options.seed = seed;
    return playMonkeyGame(options);
}

// Two seeds of each kind of player, from the start screen through play to the end screen.
TEST_F(MonkeyTest, EveryKindOfPlayerGetsThroughAWholeGame) {
    for (std::uint32_t seed = 101; seed <= 108; ++seed) {
        const MonkeyResult r = play(seed);
        SCOPED_TRACE(describe(r));
        EXPECT_EQ(r.failure, "");
        EXPECT_TRUE(r.reachedPlay);
        EXPECT_TRUE(r.reachedEnd);
        EXPECT_GT(r.events, 100);
    }
}

#if GTEST_HAS_DEATH_TEST // needs child processes
// Each in a child process with an alarm: one of these faults made the game hang.
TEST_F(MonkeyTest, RegressionSeedsStayMended) {
    for (const Regression& regression : regressions) {
        EXPECT_EXIT(
            {
                alarm(60);
                const MonkeyResult r = play(regression.seed);
                std::fprintf(stderr, "%s\n", describe(r).c_str());
                std::_Exit(r.failure.empty() && r.reachedEnd ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "seed " << regression.seed << ": " << regression.found;
    }
}
#endif

// A failing seed is only worth something if it plays the same game again.
TEST_F(MonkeyTest, ASeedReplaysItsGameExactly) {
    const MonkeyResult first = play(7);
    releasePlayState();
    const MonkeyResult again = play(7);
    releasePlayState();
    const MonkeyResult other = play(11); // the same kind of player, other moves
    EXPECT_EQ(first.digest, again.digest);
    EXPECT_EQ(first.frames, again.frames);
    EXPECT_EQ(first.events, again.events);
    EXPECT_EQ(first.playSeconds, again.playSeconds);
    EXPECT_NE(first.digest, other.digest);
}

// Every game is recorded as the callbacks see it; played back through the same input handling,
// from its file's bytes, the recording ends as the game did: same outcome, same game time, same
// final state, whatever the player did (reshapes, full screen, pauses, stalled frames, the
// buttons), whether the game was won, lost or stopped.
TEST_F(MonkeyTest, ARecordedGamePlaysBackTheSame) {
    for (std::uint32_t seed : {3u, 4u, 5u, 6u, 30u}) {
        MonkeyOptions options;
        options.seed = seed;
        options.maxPlaySeconds = 40.0f;
        const MonkeyResult result = playMonkeyGame(options);
        recorder.quit(); // a game still in play is recorded as quit
        Replay recorded;
        ASSERT_TRUE(recorder.lastGame(recorded)) << "seed " << seed << ": " << describe(result);
        Replay read;
        std::string why;
        ASSERT_TRUE(readReplay(writeReplay(recorded), read, why)) << why;
        const ReplayResult played = playReplay(read);
        EXPECT_EQ(outcomeName(played.outcome), std::string(outcomeName(recorded.outcome)))
            << "seed " << seed << ": " << describe(result);
        EXPECT_EQ(played.gameMs, recorded.gameMs) << "seed " << seed << ": " << describe(result);
        EXPECT_EQ(played.hash, recorded.hash) << "seed " << seed << ": " << describe(result);
        releasePlayState();
    }
}

// Everything a game takes, pieces thrown in the bin included, comes back once the game is
// released; the leak checker, where there is one, agrees.
TEST_F(MonkeyTest, AGameGivesBackWhatItTook) {
    play(25); // the same game first: every picture it loads, the sound device opened once
    releasePlayState();
    const std::size_t before = heapInUse();
    const MonkeyResult r = play(25);
    releasePlayState();
    const std::size_t after = heapInUse();
    EXPECT_EQ(r.failure, "");
    EXPECT_GT(r.mostPieces, 3);
    EXPECT_LE(after, before + 512) << after - before << " bytes kept";
    EXPECT_FALSE(leaksFoundNow());
}

} // namespace
