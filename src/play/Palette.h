#pragma once

#include <string>

// The colours the board's light is shown in. The usual one runs from red (dark) to green (lit);
// the other runs from dark blue to bright yellow, so that its squares differ in lightness as
// well as hue and read the same to players who cannot tell red from green.
enum class Palette { RedGreen, BlueYellow };
constexpr int paletteCount = 2;

extern Palette boardPalette;

// The colour of light at `share` of full (0 to 1), as red, green and blue.
void lightColor(Palette palette, float share, float rgb[3]);

// Names as the command line and the settings file spell them.
const char* paletteName(Palette palette);
bool parsePalette(const std::string& name, Palette& palette);
Palette nextPalette(Palette palette);
