#include "play/State.h"

State* currentState = nullptr;

bool State::enter(State*) {
    return true;
}
bool State::leave(State*) {
    return true;
}
bool State::release(State*) {
    return true;
}
void State::mouse(int, int, int, int) {}
void State::motion(int, int) {}
void State::passiveMotion(int, int) {}
void State::keyboard(unsigned char, int, int) {}
void State::keyboardUp(unsigned char, int, int) {}
void State::special(int, int, int) {}
void State::specialUp(int, int, int) {}

bool switchState(State* next) {
    if (currentState != nullptr && !currentState->leave(next)) {
        return false;
    }
    next->enter(currentState);
    currentState = next;
    return true;
}
