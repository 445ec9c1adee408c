#include "states/StartState.h"

#include "gfx/Hud.h"
#include "play/LiveMode.h"
#include "play/Palette.h"

#include <GL/freeglut.h>

bool StartState::enter(State*) {
    // The first sprite made after the window exists: it builds the shared quad.
    picture = Sprite();
    picture.scale = {800.0f, 800.0f, 800.0f};
    picture.position = {0.0f, 0.0f, 0.0f};
    picture.setTexture("./img/splash.jpg");
    instructionsShown = false;
    return true;
}

void StartState::draw() {
    picture.draw();
    if (instructionsShown) {
        drawHud(liveMode.relaxed ? "./img/hud/mode-relaxed.png" : "./img/hud/mode-normal.png",
                hud::modeLine);
    }
}

void StartState::keyboard(unsigned char key, int, int) {
    if (instructionsShown && (key == 'e' || key == 'E')) {
        liveMode.relaxed = !liveMode.relaxed;
    }
    if (instructionsShown && (key == 'k' || key == 'K')) {
        boardPalette = nextPalette(boardPalette);
    }
    // H chooses the hints for the games to come; the hints button shows the choice.
    if (instructionsShown && (key == 'h' || key == 'H')) {
        hintChoice.forced = hintChoice.on(records != nullptr ? records->gamesPlayed() : 0) ? 0 : 1;
    }
}

void StartState::mouse(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_UP) {
        return;
    }
    if (!instructionsShown) {
        instructionsShown = true;
        picture.setTexture("./img/instructions.jpg");
    } else {
        switchState(&liveMode);
    }
}
