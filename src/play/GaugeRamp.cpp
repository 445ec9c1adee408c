#include "play/GaugeRamp.h"

#include "gfx/Hud.h"
#include "gfx/Sprite.h"

namespace {

// The gauge's glass in the background picture (art/background.py): 0 % to 100 %.
constexpr float gaugeLeft = -180.0f;
constexpr float gaugeRight = 205.0f;
constexpr float gaugeY = -274.0f;
constexpr float gaugeHeight = 14.0f;
constexpr int steps = 20;

} // namespace

void drawGaugeRamp(Palette palette, const Sprite& marker) {
    if (palette == Palette::RedGreen) {
        return;
    }
    const float step = (gaugeRight - gaugeLeft) / steps;
    for (int i = 0; i < steps; ++i) {
        float color[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        lightColor(palette, (i + 0.5f) / steps, color);
        drawPlate({gaugeLeft + (i + 0.5f) * step, gaugeY, step, gaugeHeight}, color);
    }
    marker.draw();
}
