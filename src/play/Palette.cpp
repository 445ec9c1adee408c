#include "play/Palette.h"

#include <algorithm>

Palette boardPalette = Palette::RedGreen;

namespace {

struct Stop {
    float at;
    float rgb[3];
};

// Dark blue through teal to yellow; each step is lighter than the one before.
constexpr Stop blueYellow[] = {
    {0.0f, {0.08f, 0.06f, 0.42f}},
    {0.5f, {0.09f, 0.52f, 0.58f}},
    {1.0f, {1.0f, 0.92f, 0.16f}},
};

const char* const names[paletteCount] = {"red-green", "blue-yellow"};

} // namespace

void lightColor(Palette palette, float share, float rgb[3]) {
    if (palette == Palette::RedGreen) {
        rgb[0] = 1.0f - share;
        rgb[1] = share;
        rgb[2] = 0.0f;
        return;
    }
    const float t = std::clamp(share, 0.0f, 1.0f);
    const Stop& low = t < blueYellow[1].at ? blueYellow[0] : blueYellow[1];
    const Stop& high = t < blueYellow[1].at ? blueYellow[1] : blueYellow[2];
    const float f = (t - low.at) / (high.at - low.at);
    for (int i = 0; i < 3; ++i) {
        rgb[i] = low.rgb[i] + (high.rgb[i] - low.rgb[i]) * f;
    }
}

const char* paletteName(Palette palette) {
    return names[static_cast<int>(palette)];
}

bool parsePalette(const std::string& name, Palette& palette) {
    for (int i = 0; i < paletteCount; ++i) {
        if (name == names[i]) {
            palette = static_cast<Palette>(i);
            return true;
        }
    }
    return false;
}

Palette nextPalette(Palette palette) {
    return static_cast<Palette>((static_cast<int>(palette) + 1) % paletteCount);
}
