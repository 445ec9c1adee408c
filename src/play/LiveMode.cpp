#include "play/LiveMode.h"

// Placeholder until the game lands: play keeps the default screen behaviour.
LiveMode::~LiveMode() = default;
bool LiveMode::enter(State*) {
    return true;
}
bool LiveMode::release(State*) {
    return true;
}
void LiveMode::draw() {}
void LiveMode::update() {}
void LiveMode::mouse(int, int, int, int) {}
void LiveMode::motion(int, int) {}
void LiveMode::passiveMotion(int, int) {}
void LiveMode::keyboard(unsigned char, int, int) {}
void LiveMode::spawnGear() {}
