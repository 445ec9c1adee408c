#include "app/FrameClock.h"
#include "gfx/TextureCache.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "states/StartState.h"
#include "support/PointerInput.h"

#include <gtest/gtest.h>

namespace {

using namespace input;

// Without a window the pictures do not load, but every name still gets its own cache entry,
// so the entry a sprite holds tells which picture it shows.
bool shows(const Sprite& sprite, const char* file) {
    return sprite.texture == textureCache.getTexture(file);
}

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = currentState;
        savedMs = elapsedMs;
    }
    void TearDown() override {
        currentState = saved;
        elapsedMs = savedMs;
    }
    State* saved = nullptr;
    int savedMs = 0;
};

TEST_F(ScreensTest, StartScreenAdvancesOnLeftReleasesOnly) {
    StartState start;
    currentState = &start;
    start.enter(nullptr);
    EXPECT_TRUE(shows(start.picture, "./img/splash.jpg"));
    EXPECT_EQ(start.picture.scale, (Vec3{800, 800, 800}));
    EXPECT_EQ(start.picture.position, (Vec3{0, 0, 0}));
    EXPECT_FALSE(start.instructionsShown);

    start.mouse(leftButton, down, 10, 10);
    start.mouse(rightButton, up, 10, 10);
    start.mouse(middleButton, up, 10, 10);
    EXPECT_FALSE(start.instructionsShown);
    EXPECT_TRUE(shows(start.picture, "./img/splash.jpg"));

    start.mouse(leftButton, up, 799, 599); // wherever the pointer is
    EXPECT_TRUE(start.instructionsShown);
    EXPECT_TRUE(shows(start.picture, "./img/instructions.jpg"));
    EXPECT_EQ(start.picture.scale, (Vec3{800, 800, 800}));
    EXPECT_EQ(currentState, &start);
}

// The second release hands over to play at once.
TEST_F(ScreensTest, StartScreenSecondReleaseEntersPlay) {
    currentState = &startState;
    startState.instructionsShown = true;
    startState.mouse(leftButton, up, 0, 0);
    EXPECT_EQ(currentState, &liveMode);
    liveMode.release(nullptr); // give the built game back so other tests start clean
}

TEST_F(ScreensTest, EndScreenShowsTheOutcome) {
    EndState end;
    LiveMode game;
    elapsedMs = 12345;
    game.won = true;
    end.enter(&game);
    EXPECT_TRUE(shows(end.picture, "./img/win.jpg"));
    EXPECT_EQ(end.picture.scale, (Vec3{800, 800, 800}));
    EXPECT_FLOAT_EQ(end.shownAt, 12.345f);

    game.won = false;
    end.enter(&game);
    EXPECT_TRUE(shows(end.picture, "./img/lose.jpg"));

    StartState notAGame;
    end.enter(&notAGame);
    EXPECT_TRUE(shows(end.picture, "./img/lose.jpg"));
    end.enter(nullptr);
    EXPECT_TRUE(shows(end.picture, "./img/lose.jpg"));
}

TEST_F(ScreensTest, EndScreenIgnoresClicksForFiveSeconds) {
    EndState end;
    LiveMode game;
    elapsedMs = 100000;
    end.enter(&game);
    elapsedMs = 105000; // exactly 5.0 s later
    end.mouse(leftButton, up, 0, 0);
    elapsedMs = 106000;
    end.mouse(leftButton, down, 0, 0);
    end.mouse(rightButton, up, 0, 0);
    SUCCEED(); // still running
    elapsedMs = 105100;
    EXPECT_EXIT(end.mouse(leftButton, up, 0, 0), ::testing::ExitedWithCode(0), "");
}

} // namespace
