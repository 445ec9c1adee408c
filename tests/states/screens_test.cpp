#include "app/FrameClock.h"
#include "app/Records.h"
#include "gfx/TextureCache.h"
#include "play/BoardSquare.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "physics/Chain.h"
#include "states/EndState.h"
#include "states/StartState.h"
#include "support/HeapInUse.h"
#include "support/PointerInput.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
    EndState end{frameClock, countGame};
    LiveMode game{frameClock, &endState, &records.current()};
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

// After every lost game, hints or not, one tip: the first cause the game recorded, and a chain
// dead at the end above all.
TEST_F(ScreensTest, EndScreenTipNamesWhatWentWrong) {
    EndState end{frameClock, countGame};
    LiveMode game{frameClock, &endState, &records.current()};
    game.hints.start(false);
    game.relaxed = true;
    records = RecordsFile();
    game.playedSeconds = 100.0f;
    constexpr auto none = static_cast<ChainCondition>(-1);
    // How the chain died (if it is dead at the end), last turn, pieces dropped and touched.
    const std::tuple<ChainCondition, float, int, int, Tip> games[] = {
        {ChainCondition::Taut, 0.0f, 0, 0, Tip::Taut},
        {ChainCondition::Slack, 0.0f, 5, 2, Tip::Relay},
        {ChainCondition::OffMotor, 41.0f, 0, 0, Tip::Relay},
        {none, 40.0f, 0, 0, Tip::NoTurn},
        {none, 41.0f, 5, 2, Tip::OffChain},
        {none, 41.0f, 5, 3, Tip::Stretch}};
    for (const auto& [died, turned, dropped, touched, tip] : games) {
        game.watch.episodes.clear();
        if (died != none) {
            game.watch.episodes.push_back({50.0f, -1.0f, died, ChainEvent::None, 0.0f});
        }
        game.watch.lastTurnSeconds = turned;
        game.watch.piecesDropped = dropped;
        game.watch.droppedTouched = touched;
        end.enter(&game);
        EXPECT_EQ(end.tip, tip) << turned << " " << dropped << " " << touched;
    }
    game.won = true; // none after a win
    end.enter(&game);
    EXPECT_EQ(end.tip, Tip::None);
    records = RecordsFile();
}

// E on the instructions screen switches relaxed mode; on the splash it does nothing.
TEST_F(ScreensTest, EOnTheInstructionsChoosesRelaxedMode) {
    StartState start;
    start.enter(nullptr);
    start.keyboard('e', 0, 0);
    EXPECT_FALSE(liveMode.relaxed);
    start.mouse(leftButton, up, 0, 0);
    start.keyboard('E', 0, 0);
    EXPECT_TRUE(liveMode.relaxed);
    start.keyboard('e', 0, 0);
    EXPECT_FALSE(liveMode.relaxed);
}

TEST_F(ScreensTest, EndScreenIgnoresClicksForFiveSeconds) {
    EndState end{frameClock, countGame};
    LiveMode game{frameClock, &endState, &records.current()};
    elapsedMs = 100000;
    end.enter(&game);
    elapsedMs = 105000; // exactly 5.0 s later
    end.mouse(leftButton, up, 0, 0);
    elapsedMs = 106000;
    end.mouse(leftButton, down, 0, 0);
    end.mouse(rightButton, up, 0, 0);
    EXPECT_FALSE(end.quitting());
    elapsedMs = 105100;
    end.mouse(leftButton, up, 0, 0);
#ifndef __EMSCRIPTEN__           // a page is closed only by its Quit button
    EXPECT_TRUE(end.quitting()); // the shell then leaves its loop
#endif
    end.enter(&game);
    EXPECT_FALSE(end.quitting()) << "a new end screen is not quitting yet";
}

// Enter, Space or R on the end screen: the same deal, 100 squares and a 35-link chain again,
// with the previous game's pieces, chain and squares freed and the sounds loaded once.
TEST_F(ScreensTest, PlayingAgainStartsTheSameFreshGame) {
    auto startOfGame = [] {
        std::vector<float> seen{static_cast<float>(liveMode.gears.size()),
                                static_cast<float>(liveMode.squares.size()),
                                static_cast<float>(liveMode.chain->links.size())};
        for (const Gear* p : liveMode.gears) {
            seen.insert(seen.end(), {p->position.x, p->position.y, static_cast<float>(p->radius),
                                     static_cast<float>(p->charges)});
        }
        return seen;
    };
    auto playToTheEnd = [] {
        for (int i = 0; i < 30; ++i) { // a few frames, a piece added, then the board goes dark
            elapsedMs += 16;
            frameMs = 16;
            liveMode.update();
        }
        liveMode.keyboard('a', 0, 0);
        for (BoardSquare* square : liveMode.squares) {
            square->light = 0.0f;
        }
        liveMode.update();
    };
    dealGenerator.reset();
    currentState = &startState;
    switchState(&liveMode);
    const std::vector<float> first = startOfGame();
    const int soundsLoaded = liveMode.sounds.count;
    playToTheEnd();
    ASSERT_EQ(currentState, &endState);
    const std::size_t heldAfterFirst = heapInUse();

    for (unsigned char key : {'\r', ' ', 'R'}) {
        endState.keyboard(key, 0, 0);
        ASSERT_EQ(currentState, &liveMode);
        EXPECT_EQ(startOfGame(), first) << "after key " << int(key);
        EXPECT_EQ(liveMode.sounds.count, soundsLoaded);
        playToTheEnd();
        ASSERT_EQ(currentState, &endState);
        EXPECT_LE(heapInUse(), heldAfterFirst + 256) << "after key " << int(key);
    }
    endState.keyboard('x', 0, 0); // any other key does nothing
    EXPECT_EQ(currentState, &endState);
    liveMode.release(nullptr);
}

} // namespace
