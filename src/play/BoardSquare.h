#pragma once

#include "gfx/Sprite.h"

// One tile of the 10 by 10 board. Its light drains every frame and bulbs top it up; the colour
// runs from red (dark) to green (lit) and shows the light as it was at the last fade.
class BoardSquare : public Sprite {
public:
    static constexpr float startLight = 80.0f;
    static constexpr float maxLight = 100.0f;

    float fadeRate = 0.6666667f; // light lost per second
    float light = startLight;

    // Built during a frame, the square has already faded by that frame's step.
    explicit BoardSquare(float frameSeconds = 0.0f);

    // One frame of fading (by frameSeconds); recolours the square and returns the new light.
    float fade(float frameSeconds);

    // Adds light; the colour catches up at the next fade.
    void relight(float amount);

private:
    void clampLight();
};
