#include "play/LiveMode.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/GaugeRamp.h"
#include "play/Gear.h"

// Back to front: there is no depth test, so the order alone decides what covers what. All that
// is not the rules' own drawing comes after it, in drawOverlay.
void LiveMode::draw() {
    drawRules();
    drawOverlay();
    drawGaugeRamp(boardPalette, powerMarker);
}

void LiveMode::drawRules() {
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
}
