#pragma once

#include "gfx/Vec3.h"

class LiveMode;

// The light the squares within reach of a point lack: a bulb there relights most where this is
// largest. What a player sees of the board when choosing where to put a bulb.
float darknessAround(const LiveMode& game, Vec3 point, float reach);
