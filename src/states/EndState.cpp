#include "states/EndState.h"

#include "app/FrameClock.h"
#include "play/LiveMode.h"

#include <GL/freeglut.h>

#include <cstdlib>

bool EndState::enter(State* previous) {
    picture.scale = {800.0f, 800.0f, 800.0f};
    // Only the play state leads here; anything else counts as a game not won.
    const auto* game = dynamic_cast<const LiveMode*>(previous);
    if (game != nullptr && game->won) {
        picture.setTexture("./img/win.jpg");
    } else {
        picture.setTexture("./img/lose.jpg");
    }
    shownAt = static_cast<float>(elapsedMs / 1000.0);
    return true;
}

void EndState::draw() {
    picture.draw();
}

void EndState::mouse(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_UP) {
        return;
    }
    const float now = static_cast<float>(elapsedMs / 1000.0);
    if (now - shownAt > clickDelaySeconds) {
        std::exit(0);
    }
}
