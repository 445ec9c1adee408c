#include "play/play_fixtures.h"
#include "support/MonkeyInvariants.h"

#include <cstdlib>
#include <unistd.h>

namespace {

// A frame longer than a loose piece's whole life (5.33 s): the machine stalled, or play took
// that long to load. The dealt piece leaves, and its replacement, visited in the same frame,
// used to leave at once too, and so on for ever: the game hung in its first frame of play under
// valgrind.
class StalledFrameTest : public playtest::GameTest {
protected:
    void stall(float seconds) {
        previousMs = elapsedMs;
        elapsedMs += static_cast<int>(seconds * 1000.0f);
        frameMs = elapsedMs - previousMs;
        frameSeconds = seconds;
        game.update();
    }
};

#if GTEST_HAS_DEATH_TEST // needs a child process
TEST_F(StalledFrameTest, TheGameGetsThroughIt) {
    // In a child process, so that a hang ends in a failure rather than a stuck test run.
    EXPECT_EXIT(
        {
            alarm(20);
            stall(6.0f);
            stall(20.0f);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

TEST_F(StalledFrameTest, EachLongFrameDealsOnePiece) {
    const int dealtRadii[] = {40, 50, 20}; // the second, third and fourth deals
    for (int radius : dealtRadii) {
        stall(6.0f);
        ASSERT_EQ(currentState, &game);
        ASSERT_EQ(game.gears.size(), 3u);
        const Gear* replacement = game.gears[2];
        EXPECT_EQ(replacement->radius, radius);
        EXPECT_FLOAT_EQ(replacement->chuteTime, 6.0f); // it rolled, and leaves next frame
        EXPECT_EQ(brokenPlayInvariant(game, 0), "");
    }
    // Ordinary frames afterwards: the last one leaves and the next deal rolls as usual.
    runFrame();
    ASSERT_EQ(game.gears.size(), 3u);
    EXPECT_EQ(game.gears[2]->radius, 50);
    EXPECT_FLOAT_EQ(game.gears[2]->chuteTime, playtest::frameStep);
}

} // namespace
