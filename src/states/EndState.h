#pragma once

#include "gfx/Sprite.h"
#include "states/State.h"

// The win or lose picture; a left click more than five seconds later ends the process.
class EndState : public State {
public:
    static constexpr float clickDelaySeconds = 5.0f;

    Sprite picture;
    float shownAt = 0.0f;

    EndState() : State("end") {}
    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
};

extern EndState endState;
