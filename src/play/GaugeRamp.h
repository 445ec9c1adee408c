#pragma once

#include "play/Palette.h"

class Sprite;

// The power gauge in the palette the board is drawn in: over the usual one's red, orange and
// green zones, the colour a square has at each level, in steps of five percent. The marker is
// drawn again on top. Nothing is drawn for the usual palette, whose gauge is in the background.
void drawGaugeRamp(Palette palette, const Sprite& marker);
