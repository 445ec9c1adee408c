#pragma once

#include "gfx/Vec3.h"

class LiveMode;

// What every scripted player needs to point at the play field as a person does: window pixels
// of world points (through the active camera, as the game maps them back) and where the board
// most needs light.

int pixelX(float worldX);
int pixelY(float worldY);

// The light the squares within reach of a point lack: a bulb there relights most where this is
// largest.
float darknessAround(const LiveMode& game, Vec3 point, float reach);
