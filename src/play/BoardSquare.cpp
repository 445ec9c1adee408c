#include "play/BoardSquare.h"

#include "play/Palette.h"

BoardSquare::BoardSquare(float frameSeconds) {
    setTexture("./img/square.jpg");
    fade(frameSeconds); // so the colour matches the light from the first frame on
}

float BoardSquare::fade(float frameSeconds) {
    light = light - frameSeconds * fadeRate;
    clampLight();
    lightColor(boardPalette, light / maxLight, color);
    return light;
}

void BoardSquare::relight(float amount) {
    light = light + amount;
    clampLight();
}

void BoardSquare::clampLight() {
    if (light < 0.0f) {
        light = 0.0f;
    } else if (light > maxLight) {
        light = maxLight;
    }
}
