#include "gfx/Figures.h"

#include "gfx/Sprite.h"

#include <cstdio>

std::string minutesAndSeconds(int seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

void drawFigures(const std::string& text, const FigurePlace& place, const float color[4]) {
    // One sprite per glyph, made at the first draw (when there is a context to load into).
    static Sprite* glyphs = [] {
        static Sprite made[11];
        char name[32];
        for (int digit = 0; digit < 10; ++digit) {
            std::snprintf(name, sizeof name, "./img/hud/digit-%d.png", digit);
            made[digit].setTexture(name);
        }
        made[10].setTexture("./img/hud/colon.png");
        return made;
    }();
    float x = place.left;
    for (const char c : text) {
        const bool colon = c == ':';
        const float advance = colon ? place.colonAdvance : place.digitAdvance;
        Sprite* glyph = colon ? &glyphs[10] : (c >= '0' && c <= '9' ? &glyphs[c - '0'] : nullptr);
        if (glyph != nullptr) {
            glyph->position = {x + advance * 0.5f, place.y, 0.0f};
            glyph->scale = {place.size, place.size, 1.0f};
            for (int i = 0; i < 4; ++i) {
                glyph->color[i] = color[i];
            }
            glyph->draw();
        }
        x += advance;
    }
}
