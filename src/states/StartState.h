#pragma once

#include "gfx/Sprite.h"
#include "states/State.h"

// Splash picture, then the instructions, then play.
class StartState : public State {
public:
    Sprite picture;
    bool instructionsShown = false;

    StartState() : State("start") {}
    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
};

extern StartState startState;
