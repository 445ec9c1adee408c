#include "play/LiveMode.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"

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
}
