#pragma once

#include "gfx/Sprite.h"
#include "states/State.h"

// Splash picture, then the instructions, then play. On the instructions E turns relaxed mode on
// and off, and a line under them tells which mode the game will be played in.
class StartState : public State {
public:
    Sprite picture;
    bool instructionsShown = false;

    StartState() : State("start") {}
    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;
};

extern StartState startState;
