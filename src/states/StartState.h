#pragma once

#include "gfx/Sprite.h"
#include "play/PlayerRecords.h"
#include "play/State.h"

// Splash picture, then the instructions, then play. On the instructions E turns relaxed mode on
// and off, and a line under them tells which mode the game will be played in.
class StartState : public State {
public:
    Sprite picture;
    bool instructionsShown = false;

    // The records (the shell's, kept up to date) decide whether H turns the hints on or off.
    explicit StartState(const Records* records = nullptr) : State("start"), records(records) {}
    bool enter(State* previous) override;
    void draw() override;
    void mouse(int button, int state, int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;
    Screen screen() const override {
        return instructionsShown ? Screen::Instructions : Screen::Splash;
    }

private:
    const Records* records;
};

extern StartState startState;
