#pragma once

#include "gfx/Vec3.h"

// The one view: keeps the window 4:3 and maps an 800 by 600 world, origin at the centre, y up,
// onto whatever size the window has.
struct Camera {
    Vec3 position{0.0f, 0.0f, 0.0f}; // only z is used: the depth of the world plane
    int width = 800;
    int height = 600;
    double aspect = 0.0;
    double fieldOfView = 55.0;
    bool perspective = true; // false: orthographic, as the game always runs

    Camera() { reset(); }
    void reset();
    void reshape(int width, int height);
    Vec3 screenToWorld(int px, int py) const;
};

extern Camera camera;
extern Camera* activeCamera;
