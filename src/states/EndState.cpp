#include "states/EndState.h"

#include "gfx/Figures.h"
#include "gfx/Hud.h"
#include "play/DealGenerator.h"
#include "play/LiveMode.h"

#include <GL/freeglut.h>

namespace {

constexpr unsigned char enterKey = 13;

// The two rows of the scoreboard the pictures leave room for.
constexpr FigurePlace lastedPlace{8.0f, -196.0f, 40.0f, 22.0f, 12.0f};
constexpr FigurePlace bestPlace{8.0f, -236.0f, 40.0f, 22.0f, 12.0f};

} // namespace

bool EndState::enter(State* previous) {
    picture.scale = {800.0f, 800.0f, 800.0f};
    // Only the play state leads here; anything else counts as a game not won.
    GameOutcome game;
    const bool fromGame = previous != nullptr && previous->outcome(game);
    const bool won = fromGame && game.won;
    picture.setTexture(won ? "./img/win.jpg" : "./img/lose.jpg");
    shownAt = clock->seconds();
    quitAsked = false;
    watchAsked = false;

    const float lasted = fromGame ? game.playedSeconds : 0.0f;
    const bool relaxed = fromGame && game.relaxed;
    Records counted;
    if (countGame != nullptr) {
        counted = countGame(won, static_cast<int>(lasted * 1000.0f), relaxed);
    } else {
        counted.add(won, static_cast<int>(lasted * 1000.0f), relaxed);
    }
    lastedSeconds = static_cast<int>(lasted);
    bestSeconds = counted.bestSeconds(static_cast<int>(LiveMode::gameLength), relaxed);
    // Every lost game gets the tip its own course calls for.
    tip = fromGame && !won && game.watch != nullptr ? chooseTip(*game.watch, lasted) : Tip::None;
    return true;
}

void EndState::draw() {
    picture.draw();
    static constexpr float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    drawFigures(minutesAndSeconds(lastedSeconds), lastedPlace, white);
    drawFigures(minutesAndSeconds(bestSeconds), bestPlace, white);
    static const char* const tips[] = {"./img/hud/tip-taut.png", "./img/hud/tip-no-turn.png",
                                       "./img/hud/tip-off-chain.png", "./img/hud/tip-stretch.png",
                                       "./img/hud/tip-relay.png"};
    if (tip != Tip::None) {
        drawHud(tips[static_cast<int>(tip)], hud::endTip);
    }
}

void EndState::mouse(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_UP) {
        return;
    }
#ifdef __EMSCRIPTEN__
    return; // a page is not closed by a stray tap: only the Quit button ends it
#endif
    if (clock->seconds() - shownAt > clickDelaySeconds) {
        quitAsked = true; // the shell ends the program
    }
}

void EndState::keyboard(unsigned char key, int, int) {
    if (key == 'w' || key == 'W') {
        watchAsked = true; // the shell plays the game's replay
        return;
    }
    if (key != enterKey && key != ' ' && key != 'r' && key != 'R') {
        return;
    }
    // A new game exactly like the first: the same deal on a board built afresh (entering play
    // gives the finished game back first).
    dealGenerator.reset();
    switchState(&liveMode);
}
