#pragma once

#include "gfx/Sprite.h"
#include "play/Hints.h"
#include "states/State.h"

// The win or lose picture with how long the game lasted and the best so far. A left click more
// than five seconds later ends the process; Enter, Space or R play again at once.
class EndState : public State {
public:
    static constexpr float clickDelaySeconds = 5.0f;

    Sprite picture;
    float shownAt = 0.0f;
    int lastedSeconds = 0; // the game just played
    int bestSeconds = 0;   // the longest game so far of its mode, this one included
    Tip tip = Tip::None;   // after a lost game: what to try next time

    EndState() : State("end") {}
    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;
};

extern EndState endState;
