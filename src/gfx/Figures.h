#pragma once

#include <string>

// Where a line of figures goes: the left edge of the first glyph's advance, the middle height,
// the glyph pictures' size and how far each digit or colon moves the next glyph on.
struct FigurePlace {
    float left;
    float y;
    float size;
    float digitAdvance;
    float colonAdvance;
};

// "m:ss" for a number of seconds; negative counts as 0.
std::string minutesAndSeconds(int seconds);

// Draws the digits and colons of text from the glyph pictures of img/hud, tinted by color.
// Other characters leave a digit's width of space.
void drawFigures(const std::string& text, const FigurePlace& place, const float color[4]);
