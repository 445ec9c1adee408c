#include "app/Callbacks.h"
#include "app/Records.h"
#include "audio/SoundDevice.h"
#include "play/play_fixtures.h"
#include "app/Buttons.h"
#include "app/Replays.h"
#include "states/EndState.h"

#include <cmath>
#include <vector>

namespace {

using playtest::GameTest;

// A tap (or click) through the game's own mouse callback, at the centre of a box.
void tap(const HudBox& box) {
    onMouse(input::leftButton, input::down, input::pixelX(box.x), input::pixelY(box.y));
    onMouse(input::leftButton, input::up, input::pixelX(box.x), input::pixelY(box.y));
}

using ButtonsTest = GameTest;

// Every button does what its key does; the paused banner resumes; a press that begins on a
// button never reaches the board, and one that begins on the board is the board's.
TEST_F(ButtonsTest, PlayButtonsActLikeTheirKeysAndKeepOffTheBoard) {
    for (const ScreenButton& b : shownButtons()) {
        EXPECT_GE(b.box.y - b.box.height / 2, 199.0f) << "over the board";
    }
    tap(hud::pauseButton);
    EXPECT_TRUE(game.paused);
    tap(hud::pausedBanner);
    EXPECT_FALSE(game.paused);

    const bool muted = soundMuted();
    tap(hud::soundButton);
    EXPECT_NE(soundMuted(), muted);
    tap(hud::soundButton);
    const bool hints = game.hints.enabled();
    const int forced = hintChoice.forced;
    tap(hud::hintsButton);
    EXPECT_NE(game.hints.enabled(), hints);
    hintChoice.forced = forced;

    // Begun on the button, released on the first gear: neither pauses nor picks.
    setTime(1.0f);
    onMouse(input::leftButton, input::down, input::pixelX(hud::pauseButton.x),
            input::pixelY(hud::pauseButton.y));
    onMouse(input::leftButton, input::up, px(-50.0f), py(-75.0f));
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.lastPressTime, -1.0f);
    // Begun on the gear, released on the button: the game's own release.
    onMouse(input::leftButton, input::down, px(-50.0f), py(-75.0f));
    EXPECT_EQ(game.heldGear, firstGear());
    onMouse(input::leftButton, input::up, input::pixelX(hud::pauseButton.x),
            input::pixelY(hud::pauseButton.y));
    EXPECT_EQ(game.heldGear, nullptr);
    EXPECT_FALSE(game.paused);
}

// After two taps lift a piece, a tap on the bin drops it in, though no pointer hovered there.
TEST_F(ButtonsTest, ATapOverTheBinBinsTheCarriedPiece) {
    Gear* piece = firstGear();
    const Vec3 at = piece->position;
    setTime(1.0f);
    press(at.x, at.y);
    releaseAt(at.x, at.y);
    setTime(1.2f);
    press(at.x, at.y);
    releaseAt(at.x, at.y);
    ASSERT_TRUE(game.carrying);
    setTime(2.0f);
    press(-352.0f, -215.0f);
    releaseAt(-352.0f, -215.0f);
    EXPECT_TRUE(piece->discarding);
}

bool overlap(const HudBox& a, const HudBox& b) {
    return std::abs(a.x - b.x) < (a.width + b.width) / 2 &&
           std::abs(a.y - b.y) < (a.height + b.height) / 2;
}

// The end screen's Play again starts the next game at once; Quit ends the program; Watch, shown
// once a game was played, asks for its replay. None covers another, the scoreboard or the tip.
TEST_F(ButtonsTest, EndScreenButtons) {
    const ReplayRecorder kept = recorder;
    recorder = ReplayRecorder(); // no game played yet
    EndState end{frameClock, countGame};
    end.enter(&game);
    currentState = &end;
    EXPECT_EQ(shownButtons().size(), 2u);
#if GTEST_HAS_DEATH_TEST
    EXPECT_EXIT(
        {
            tap(hud::quitButton);
            std::_Exit(quitRequested() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
#endif
    tap(hud::playAgainButton); // the game it starts is recorded, and ends at once
    EXPECT_EQ(currentState, &liveMode);
    currentState = &end;
    recorder.afterFrame();
    const std::vector<ScreenButton> shown = shownButtons();
    ASSERT_EQ(shown.size(), 3u);
    constexpr HudBox scoreboard{0.0f, -216.0f, 300.0f, 90.0f};
    for (const ScreenButton& b : shown) {
        EXPECT_FALSE(overlap(b.box, scoreboard) || overlap(b.box, hud::endTip));
        for (const ScreenButton& other : shown) {
            EXPECT_TRUE(&b == &other || !overlap(b.box, other.box));
        }
    }
    tap(hud::watchButton);
    EXPECT_TRUE(end.watchAsked);
    // Watched, then stopped with Esc: the game ends where it stands and counts nowhere.
    Replay last;
    ASSERT_TRUE(recorder.lastGame(last));
    const int played = records.current().gamesPlayed();
    watchReplay(last, false);
    EXPECT_TRUE(isWatching());
    onKeyboard(27, 0, 0);
    EXPECT_FALSE(isWatching());
    EXPECT_EQ(currentState, &endState);
    EXPECT_EQ(records.current().gamesPlayed(), played);
    recorder = kept;
    liveMode.release(nullptr);
}

} // namespace
