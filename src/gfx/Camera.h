#pragma once

#include "gfx/Vec3.h"

// The one view: keeps the window 4:3 and maps an 800 by 600 world, origin at the centre, y up,
// onto whatever size the window has. In full screen the window keeps the screen's shape and
// the picture is centred in it at 4:3, with black bars beside or above and below.
struct Camera {
    Vec3 position{0.0f, 0.0f, 0.0f}; // only z is used: the depth of the world plane
    int width = 800;                 // of the picture, in pixels
    int height = 600;
    double aspect = 0.0;
    double fieldOfView = 55.0;
    bool perspective = true; // false: orthographic, as the game always runs
    bool letterbox = false;  // full screen: centre the picture instead of resizing the window
    int left = 0;            // pixels from the window's left edge to the picture
    int top = 0;             // pixels from the window's top edge to the picture

    Camera() { reset(); }
    void reset();
    void reshape(int width, int height);
    // What reshape works out, without GL: the picture's size and place in a window of this
    // size; false (and nothing changes) for a minimised window.
    bool fit(int width, int height);
    Vec3 screenToWorld(int px, int py) const;
};

// The largest 4:3 size at most width wide whose height fits too: width x 0.75, shrunk to the
// screen when it would not fit on it (a screen size of 0 is unknown and fits anything).
void fitFourByThree(int width, int screenWidth, int screenHeight, int& outWidth, int& outHeight);

extern Camera camera;
extern Camera* activeCamera;
