#include "play/LiveMode.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "gfx/Figures.h"

namespace {

// "m:ss" centred in the slot on the power strip.
constexpr FigurePlace countdownPlace{310.0f, -274.0f, 32.0f, 18.0f, 10.0f};

} // namespace

// Back to front: there is no depth test, so the order alone decides what covers what.
void LiveMode::draw() {
    background.draw();
    for (const BoardSquare* square : squares) {
        square->draw();
    }
    for (const Gear* piece : gears) {
        piece->draw();
    }
    if (chain != nullptr) {
        chain->draw();
    }
    powerMarker.draw();
    drawOverlay();
}

void LiveMode::drawOverlay() {
    // The countdown in its slot on the power strip, red for the last half minute.
    const int left = secondsLeft();
    static constexpr float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    static constexpr float red[4] = {1.0f, 0.25f, 0.2f, 1.0f};
    drawFigures(minutesAndSeconds(left), countdownPlace, left < 30 ? red : white);

    if (paused) {
        static Sprite sign = [] {
            Sprite s;
            s.setTexture("./img/hud/paused.png");
            s.position = {36.0f, -21.0f, 0.0f}; // the middle of the board
            s.scale = {400.0f, 100.0f, 1.0f};
            return s;
        }();
        sign.draw();
    }
}
