#pragma once

#include "gfx/Sprite.h"
#include "play/FrameClock.h"
#include "play/Hints.h"
#include "play/PlayerRecords.h"
#include "play/State.h"

// The win or lose picture with how long the game lasted and the best so far. A left click more
// than five seconds later ends the program; Enter, Space or R play again at once.
class EndState : public State {
public:
    // Counts a finished game into the player's records and gives them back (the shell keeps
    // them on disk).
    using GameCounter = Records (*)(bool won, int lastedMs, bool relaxed);

    static constexpr float clickDelaySeconds = 5.0f;

    Sprite picture;
    float shownAt = 0.0f;
    int lastedSeconds = 0; // the game just played
    int bestSeconds = 0;   // the longest game so far of its mode, this one included
    Tip tip = Tip::None;   // after a lost game: what to try next time

    explicit EndState(FrameClock& clock, GameCounter countGame = nullptr)
        : State("end"), clock(&clock), countGame(countGame) {}
    bool enter(State* previous) override;
    bool quitting() const override { return quitAsked; }
    Screen screen() const override { return Screen::End; }
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;

private:
    FrameClock* clock;
    GameCounter countGame;
    bool quitAsked = false;

public:
    // How the next game is counted: a game watched again counts nowhere.
    void countWith(GameCounter counter) { countGame = counter; }
    GameCounter counter() const { return countGame; }
    // W: the player asked to watch the game just played.
    bool watchAsked = false;
};

extern EndState endState;
