#pragma once

#include "gfx/Sprite.h"
#include "gfx/Vec3.h"

struct ChainJoint;

// A round body on the chain: the chain pushes its joints out of the circle round the sprite's
// position and turns the sprite's angle. A body with a speed is the motor, which turns by itself
// and carries the joints round its rim; any other body turns only as the chain drags it.
struct Body : Sprite {
    float speed = 0.0f; // degrees per second; only the motor drives
    int radius = 0;
    int radiusSquared = 0;
    float turned = 0.0f;               // degrees the chain has turned it, until reset
    Vec3 catchPoint{};                 // written by the chain
    ChainJoint* caughtJoint = nullptr; // written by the chain
};
